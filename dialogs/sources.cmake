# Files of dialogs/. Portable files build everywhere (and natively under the
# sanitizers); Win32 files only into the DLL.
list(APPEND KVVX_PORTABLE_SOURCES
)
list(APPEND KVVX_WIN32_SOURCES
)
