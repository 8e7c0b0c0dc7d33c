#pragma once

// KVVX_API marks every class and free function the library exports.
// Building the DLL defines KVVXCOMBASE_BUILD (export); users of the DLL get
// the import form. Native (non-Windows) builds of the portable core and
// static builds define nothing.
#if defined(_WIN32) && !defined(KVVXCOMBASE_STATIC)
#  if defined(KVVXCOMBASE_BUILD)
#    define KVVX_API __declspec(dllexport)
#  else
#    define KVVX_API __declspec(dllimport)
#  endif
#else
#  define KVVX_API
#endif
