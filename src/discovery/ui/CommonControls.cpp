#include "discovery/ui/CommonControls.h"

#include "core/win/EntryPoint.h"
#include "core/win/SystemLibrary.h"

// The executable's manifest makes this the version 6 library, as a static import would;
// only a system without the library search flags gets the folder's own version.
CommonControls::CommonControls()
    : library_(loadSystemLibrary(L"comctl32.dll")),
      initCommonControlsEx_(entryPoint<decltype(initCommonControlsEx_)>(library_.get(), "InitCommonControlsEx")),
      setWindowSubclass_(entryPoint<decltype(setWindowSubclass_)>(library_.get(), "SetWindowSubclass")),
      removeWindowSubclass_(entryPoint<decltype(removeWindowSubclass_)>(library_.get(), "RemoveWindowSubclass")),
      defSubclassProc_(entryPoint<decltype(defSubclassProc_)>(library_.get(), "DefSubclassProc")) {}

bool CommonControls::initialize(DWORD classes) const {
    INITCOMMONCONTROLSEX request = {sizeof(request), classes};
    return initCommonControlsEx_ && initCommonControlsEx_(&request);
}

bool CommonControls::setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) const {
    return setWindowSubclass_ && removeWindowSubclass_ && defSubclassProc_ &&
           setWindowSubclass_(window, procedure, id, data);
}

bool CommonControls::removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) const {
    return removeWindowSubclass_ && removeWindowSubclass_(window, procedure, id);
}

LRESULT CommonControls::defSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    return defSubclassProc_(window, message, wParam, lParam);
}
