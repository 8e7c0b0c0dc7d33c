// libFuzzer target: CArchive loading arbitrary bytes (values, strings,
// counts, arrays, maps, objects) must end normally or with a framework
// exception, never overrun or leak.
#include "platform/core/Core.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Every node created while loading is recorded and deleted after the run,
// so references between nodes (even cycles) never cause double deletes.
std::vector<CObject*> g_created;

class CFuzzNode : public CObject
{
    DECLARE_SERIAL(CFuzzNode)
public:
    CFuzzNode() { g_created.push_back(this); }
    ~CFuzzNode() override
    {
        // Also when the archive deletes a node whose Serialize failed.
        for (size_t i = 0; i < g_created.size(); ++i)
            if (g_created[i] == this)
            {
                g_created.erase(g_created.begin() + (std::ptrdiff_t)i);
                break;
            }
    }
    CString m_strName;
    CDWordArray m_arWidths;
    CFuzzNode* m_pPeer = nullptr;       // not owned
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            return;
        ar >> m_strName;
        m_arWidths.Serialize(ar);
        ar >> m_pPeer;
    }
};
IMPLEMENT_SERIAL(CFuzzNode, CObject, 1)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    std::vector<BYTE> copy(data + 1, data + size);
    CMemFile mem(copy.empty() ? nullptr : copy.data(), (UINT)copy.size());
    CArchive ar(&mem, CArchive::load, 128);
    try
    {
        switch (data[0] % 6)
        {
        case 0: { CString s; while (true) ar >> s; }
        case 1: { CStringArray a; a.Serialize(ar); break; }
        case 2: { CDWordArray a; a.Serialize(ar); CUIntArray u; u.Serialize(ar); break; }
        case 3: { CMap<CString, LPCTSTR, CString, LPCTSTR> m; m.Serialize(ar); break; }
        case 4: { CFuzzNode* p = nullptr; ar >> p; ar >> p; break; }
        case 5: { DWORD_PTR n = ar.ReadCount(); (void)n; CString line; while (ar.ReadString(line)) {} break; }
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    ar.Abort();
    while (!g_created.empty())
        delete g_created.back();    // the destructor takes it off the list
    return 0;
}
