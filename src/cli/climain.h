#pragma once
#include <QStringList>
#include <QMap>
#include <QTextStream>

namespace minasel::cli {

using CommandFn = int (*)(const QStringList& args);
struct Command {
    QString name;
    CommandFn fn;
    bool draws;   // lays out printed forms: needs a GUI application object for its fonts
};

// Exit status for bad arguments: a usage text on stderr, nothing on stdout.
constexpr int kUsageError = 2;
// Bad arguments: "error: WHY" and the command's usage on stderr; returns kUsageError.
int usageError(const char* usage, const QString& why);

QTextStream& out();
QTextStream& err();

// "--name value" options, and "--name" flags without a value.
class Options {
public:
    // Returns false (and sets *error) on a stray argument or a missing value.
    // Names in `flags` take no value.
    bool parse(const QStringList& args, const QStringList& allowed, QString* error,
               const QStringList& flags = {});
    bool has(const QString& name) const { return m_values.contains(name); }
    QString value(const QString& name) const { return m_values.value(name); }
    // A whole number; false when missing (and required) or not a number.
    bool integer(const QString& name, long long* v, QString* error) const;
    bool number(const QString& name, double* v, QString* error) const;
    const QStringList& positional() const { return m_positional; }

private:
    QMap<QString, QString> m_values;
    QStringList m_positional;
};

} // namespace minasel::cli
