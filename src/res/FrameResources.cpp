#include "res/FrameResources.h"

#include "res/FrameResourceTables.h"

namespace {

// A new frame joins the program by being listed here.
const MenuTemplate* const kMenus[] = {&kMainFrameMenu, &kFrameSampleMenu};
const AcceleratorTable* const kAcceleratorTables[] = {&kMainFrameAccelerators,
                                                      &kFrameSampleAccelerators};
const ToolbarTemplate* const kToolbars[] = {&kMainFrameToolbar, &kFrameSampleToolbar};

template <typename Resource, size_t count>
const Resource* findById(const Resource* const (&resources)[count], int id) {
    for (const Resource* resource : resources) {
        if (resource->id == id) {
            return resource;
        }
    }
    return nullptr;
}

} // namespace

const MenuTemplate* findMenu(int id) {
    return findById(kMenus, id);
}

const AcceleratorTable* findAccelerators(int id) {
    return findById(kAcceleratorTables, id);
}

const ToolbarTemplate* findToolbar(int id) {
    return findById(kToolbars, id);
}
