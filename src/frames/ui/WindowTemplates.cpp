#include "frames/ui/WindowTemplates.h"

namespace kivrun {

std::optional<QRect> WindowTemplate::InitialRect(QSize client) const {
    const auto rect = InitialChildRect(kind, client.width(), client.height());
    if (!rect) return std::nullopt;
    return QRect(rect->x, rect->y, rect->width, rect->height);
}

WindowTemplates& WindowTemplates::Instance() {
    static WindowTemplates templates;
    return templates;
}

WindowTemplates::WindowTemplates() {
    const auto& kinds = AllWindowKinds();
    for (std::size_t i = 0; i < templates_.size(); ++i) {
        templates_[i].kind = kinds[i];
        templates_[i].title = QString::fromStdString(WindowTitle(kinds[i]));
    }
}

WindowTemplate& WindowTemplates::At(WindowKind kind) {
    return templates_[static_cast<std::size_t>(kind)];
}

const WindowTemplate& WindowTemplates::Template(WindowKind kind) const {
    return templates_[static_cast<std::size_t>(kind)];
}

void WindowTemplates::SetContentFactory(WindowKind kind, ContentFactory factory) {
    WindowTemplate& t = At(kind);
    t.content = std::move(factory);
    t.upper = nullptr;
    t.lower = nullptr;
}

void WindowTemplates::SetPaneFactories(WindowKind kind, ContentFactory upper,
                                       ContentFactory lower) {
    WindowTemplate& t = At(kind);
    t.content = nullptr;
    t.upper = std::move(upper);
    t.lower = std::move(lower);
}

void WindowTemplates::Clear(WindowKind kind) {
    WindowTemplate& t = At(kind);
    t.content = nullptr;
    t.upper = nullptr;
    t.lower = nullptr;
}

}  // namespace kivrun
