// Dialog templates as the resource compiler lays them out, read for the fake's dialogs.
#pragma once

#include "fake/fake.h"

namespace polkamoot::fake::detail {

struct TemplateItem {
    WindowInfo info; // class, text, style and placement in dialog units
    int id;
};

struct DialogTemplate {
    WindowInfo frame;
    std::vector<TemplateItem> items;
};

// False for a template it cannot read, the extended form included.
bool ParseDialogTemplate(const BYTE* data, DWORD size, DialogTemplate* out);

} // namespace polkamoot::fake::detail
