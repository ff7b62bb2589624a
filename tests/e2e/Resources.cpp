// Resource counts of another process; see Resources.h.
#include "Resources.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

namespace {

// Wine keeps each process's GDI handle table where a 64-bit PEB's GdiSharedHandleTable
// field (offset 0xF8) points: 65536 entries of 24 bytes, the entry's type byte at offset
// 12, zero while the slot is free, its top bit set for stock objects (measured on Wine 8:
// a hundred brushes made a hundred more entries).
std::size_t WineGdiObjects(HANDLE process) {
    constexpr std::size_t kPebTableField = 0xF8, kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 12;
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), &length) != 0)
        return 0;
    std::uint64_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebTableField, &table,
                           sizeof(table), &read) ||
        table == 0)
        return 0;
    std::vector<std::uint8_t> entries(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(), &read))
        return 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < read / kEntrySize; ++i) {
        const std::uint8_t type = entries[i * kEntrySize + kTypeOffset];
        if (type != 0 && (type & 0x80) == 0) ++count;
    }
    return count;
}

struct WindowCount {
    DWORD processId;
    std::size_t count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM data) {
    auto* c = reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c->processId) ++c->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
    CountChild(window, data);
    EnumChildWindows(window, CountChild, data);  // every descendant, not just children
    return TRUE;
}

// Windows are most of what a program's USER objects are; message-only windows included.
std::size_t WindowsOf(DWORD processId) {
    WindowCount c{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&c));
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        CountTopLevel(w, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

// The name of a handle's object in another process ("\\REGISTRY\\User\\...\\Key" for a key).
std::wstring ObjectName(HANDLE process, USHORT handle) {
    HANDLE copy = nullptr;
    if (!DuplicateHandle(process, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(handle)), GetCurrentProcess(), &copy,
                         0, FALSE, DUPLICATE_SAME_ACCESS))
        return {};
    std::vector<std::uint8_t> info(4096);
    ULONG length = 0;
    std::wstring name;
    if (NtQueryObject(copy, static_cast<OBJECT_INFORMATION_CLASS>(1), info.data(),  // ObjectNameInformation
                      static_cast<ULONG>(info.size()), &length) == 0) {
        const auto* text = reinterpret_cast<const UNICODE_STRING*>(info.data());
        if (text->Buffer) name.assign(text->Buffer, text->Length / sizeof(wchar_t));
    }
    CloseHandle(copy);
    return name;
}

// The system's list of open handles (SystemHandleInformation, class 16), counted for one
// process. Wine 8's file dialog opens its LastVisitedMRU key on every save and never
// closes it (measured: one more such key per save, nothing else); those are the
// platform's and are counted apart.
void CountHandlesInSystemList(HANDLE process, DWORD processId, ProcessResources& r) {
    struct Entry {
        ULONG ownerProcessId;
        BYTE objectType;
        BYTE flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    struct List {
        ULONG count;
        Entry entries[1];
    };
    std::vector<std::uint8_t> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                                         static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<NTSTATUS>(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
            continue;
        }
        if (status != 0) return;
        break;
    }
    const std::wstring dialogKey = L"\\Explorer\\ComDlg32\\LastVisitedMRU";
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    for (ULONG i = 0; i < list->count; ++i) {
        if (list->entries[i].ownerProcessId != processId) continue;
        const std::wstring name = ObjectName(process, list->entries[i].handle);
        if (name.size() >= dialogKey.size() && name.compare(name.size() - dialogKey.size(), dialogKey.size(), dialogKey) == 0)
            ++r.dialogKeyHandles;
        else
            ++r.handles;
    }
}

}  // namespace

ProcessResources ResourcesOf(const Process& app) {
    const HANDLE process = app.Handle();
    const DWORD processId = app.Id();
    ProcessResources r;
    r.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    r.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    if (r.gdiObjects == 0 && r.userObjects == 0) {
        r.gdiObjects = WineGdiObjects(process);
        r.userObjects = WindowsOf(processId);
        r.method = "GDI objects from the process's handle table, USER objects as windows; ";
    } else {
        r.method = "GDI and USER objects from GetGuiResources; ";
    }
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles) && handles != 0) {
        r.handles = handles;
        r.method += "handles from GetProcessHandleCount; ";
    } else {
        CountHandlesInSystemList(process, processId, r);
        r.method += "handles from the system's handle list; ";
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
        // Wine leaves PrivateUsage at 0; its PagefileUsage is the same commit charge.
        r.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    }
    r.method += "memory as private commit";
    return r;
}

}  // namespace e2e
