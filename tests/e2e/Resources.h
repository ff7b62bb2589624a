// What a running process holds, for the load scenarios: its GDI and USER objects, its
// kernel handles and its private memory.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "e2e/Harness.h"

namespace e2e {

struct ProcessResources {
    std::size_t gdiObjects = 0;
    std::size_t userObjects = 0;
    std::size_t handles = 0;
    // Keys the platform's file dialog left open, not counted in handles (see Resources.cpp).
    std::size_t dialogKeyHandles = 0;
    std::size_t privateBytes = 0;
    // How each figure was obtained, for the log.
    std::string method;
};

// Asks the system first (GetGuiResources, GetProcessHandleCount). Wine answers 0 to
// those, so there the objects are counted directly: GDI objects in the process's own
// handle table, USER objects as its windows, and handles in the system's handle list.
ProcessResources ResourcesOf(const Process& process);

}  // namespace e2e
