#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>

namespace minasel {

class AppContext;

// Screens by their names ("InpKyuyo", "MstJyugyoin", ...). Each subsystem adds
// its screens at start-up; a menu button is enabled only when its screen is here,
// so the menus never show a button that leads nowhere.
class ScreenRegistry {
public:
    using Factory = std::function<QWidget*(AppContext&)>;

    void add(const QString& name, Factory factory) { m_factories[name] = std::move(factory); }
    bool has(const QString& name) const { return m_factories.count(name) != 0; }
    QStringList names() const
    {
        QStringList n;
        for (const auto& f : m_factories)
            n << f.first;
        return n;
    }
    // A new top-level screen (deleted on close), or nullptr for an unknown name.
    QWidget* create(const QString& name, AppContext& ctx) const
    {
        auto it = m_factories.find(name);
        return it == m_factories.end() ? nullptr : it->second(ctx);
    }

private:
    std::map<QString, Factory> m_factories;
};

// Each subsystem's screens (defined in its own folder).
void registerMastersScreens(ScreenRegistry& registry);
void registerPayrollScreens(ScreenRegistry& registry);
void registerNentyoScreens(ScreenRegistry& registry);
void registerReportsScreens(ScreenRegistry& registry);
void registerBackupScreens(ScreenRegistry& registry);
void registerTransferScreens(ScreenRegistry& registry);
void registerAllScreens(ScreenRegistry& registry);

} // namespace minasel
