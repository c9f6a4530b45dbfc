// SPDX-License-Identifier: MIT
#include <initguid.h>  // the property and class ids below, defined here

#include "names.h"

#include "main_window.h"

AccessibleNames::AccessibleNames()
    : com_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(&props_));
}

AccessibleNames::~AccessibleNames() {
    clear();
    if (props_ != nullptr) {
        props_->Release();
    }
    if (com_) {
        CoUninitialize();
    }
}

void AccessibleNames::set(HWND window, std::string_view name, std::string_view description) {
    if (props_ == nullptr) {
        return;
    }
    props_->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                           widen(name).c_str());
    if (!description.empty()) {
        props_->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                               widen(description).c_str());
    }
    named_.push_back(window);
}

void AccessibleNames::clear() {
    const MSAAPROPID both[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    for (HWND window : named_) {
        props_->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, both, 2);
    }
    named_.clear();
}
