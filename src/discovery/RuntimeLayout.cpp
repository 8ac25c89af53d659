#include "discovery/RuntimeLayout.h"

std::vector<JvmLibraryLocation> jvmLibraryProbeOrder(JvmTypeMode mode) {
    std::vector<JvmLibraryLocation> order;
    if (mode != JvmTypeMode::Default) order.push_back({L"bin\\server\\jvm.dll", true});
    if (mode == JvmTypeMode::ServerOnly) return order;
    order.push_back({L"bin\\client\\jvm.dll", false});
    order.push_back({L"bin\\classic\\jvm.dll", false});
    order.push_back({L"bin\\hotspot\\jvm.dll", false});
    if (mode == JvmTypeMode::Default) order.push_back({L"bin\\server\\jvm.dll", true});
    order.push_back({L"bin\\jrockit\\jvm.dll", false});
    return order;
}
