// Arrangement of aligned controls; see FormDescription.h.
#include "FormDescription.h"

#include <algorithm>

std::vector<DesignRect> ArrangeChildren(std::span<const ControlDescription> controls, int parentId, int width,
                                        int height) {
    int top = 0;
    int bottom = height;
    std::vector<DesignRect> rects;
    // Top and bottom first, so a client-aligned control gets what is left between them.
    std::vector<std::size_t> clientIndexes;
    for (const ControlDescription& c : controls) {
        if (c.parentId != parentId) continue;
        DesignRect r = c.bounds;
        switch (c.align) {
        case Align::kTop:
            r = {0, top, width, c.bounds.height};
            top += c.bounds.height;
            break;
        case Align::kBottom:
            bottom -= c.bounds.height;
            r = {0, bottom, width, c.bounds.height};
            break;
        case Align::kClient:
            clientIndexes.push_back(rects.size());
            break;
        case Align::kNone:
            break;
        }
        rects.push_back(r);
    }
    for (std::size_t i : clientIndexes) rects[i] = {0, top, width, std::max(0, bottom - top)};
    return rects;
}
