// Accessibility of TStatusBar: the bar is a status-bar object whose children are the texts it
// shows (the panels, or the simple text).

#include "platform/ui/status_bar.h"
#include "platform/ui/status_bar_accessible.h"

#include <QAccessibleWidget>

#include <map>

namespace {

class TStatusBarAccessible;

// One shown text of a status bar; read from the bar each time it is asked.
class TStatusTextAccessible : public QAccessibleInterface {
public:
    TStatusTextAccessible(TStatusBar* bar, int index) : FBar(bar), FIndex(index) {}

    bool isValid() const override { return !FBar.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(FBar.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!FBar || (t != QAccessible::Name && t != QAccessible::Value)) return {};
        const auto texts = FBar->VisibleTexts();
        return FIndex < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(FIndex)] : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!FBar) return {};
        const QRect r = FBar->PanelRect(FIndex);
        return QRect(FBar->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !FBar || !FBar->isVisible();
        return s;
    }

private:
    QPointer<TStatusBar> FBar;
    int FIndex;
};

class TStatusBarAccessible : public QAccessibleWidget {
public:
    explicit TStatusBarAccessible(TStatusBar* bar) : QAccessibleWidget(bar, QAccessible::StatusBar) {}
    ~TStatusBarAccessible() override
    {
        for (const auto& [index, id] : FChildren) QAccessible::deleteAccessibleInterface(id);
    }

    TStatusBar* Bar() const { return static_cast<TStatusBar*>(widget()); }

    int childCount() const override { return static_cast<int>(Bar()->VisibleTexts().size()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount()) return nullptr;
        auto found = FChildren.find(index);
        if (found == FChildren.end())
            found = FChildren.emplace(index, QAccessible::registerAccessibleInterface(
                                                 new TStatusTextAccessible(Bar(), index))).first;
        return QAccessible::accessibleInterface(found->second);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (const auto& [index, id] : FChildren)
            if (QAccessible::accessibleInterface(id) == child) return index < childCount() ? index : -1;
        return -1;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && Bar()->SimplePanel()) return Bar()->SimpleText();
        return QAccessibleWidget::text(t);
    }

private:
    mutable std::map<int, QAccessible::Id> FChildren;
};

QAccessibleInterface* StatusBarFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TStatusBar") && object && object->isWidgetType())
        return new TStatusBarAccessible(static_cast<TStatusBar*>(object));
    return nullptr;
}

}  // namespace

void InstallStatusBarAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(StatusBarFactory);
        return true;
    }();
    (void)installed;
}
