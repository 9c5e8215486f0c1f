#include "print/ui/PrintableViews.h"

#include <algorithm>

namespace kivrun {
namespace {

std::vector<PrintableView>& Registry() {
    static std::vector<PrintableView> views;
    return views;
}

}  // namespace

void RegisterPrintableView(PrintableView view) {
    auto& views = Registry();
    auto same = std::find_if(views.begin(), views.end(),
                             [&](const PrintableView& v) { return v.name == view.name; });
    if (same != views.end())
        *same = std::move(view);
    else
        views.push_back(std::move(view));
}

const std::vector<PrintableView>& PrintableViews() {
    return Registry();
}

const PrintableView* FindPrintableView(const QString& name) {
    for (const PrintableView& view : Registry())
        if (view.name == name) return &view;
    return nullptr;
}

}  // namespace kivrun
