#pragma once
#include "db/rowwriter.h"
#include "db/schema.h"
#include "reports/printjob.h"

#include <QMap>
#include <QProcess>
#include <QStandardPaths>

namespace minasel::test {

// A row of the table with every column empty/zero but the given values.
inline db::RowValues tableRow(db::Table table, const QMap<QString, QString>& values)
{
    const db::TableDef& def = db::tableDef(table);
    db::RowValues row;
    for (const db::Column& c : def.columns)
        row << (c.kind == db::Kind::Number ? QStringLiteral("0") : QString());
    for (auto it = values.begin(); it != values.end(); ++it) {
        const int i = def.indexOf(it.key());
        if (i < 0)
            throw std::runtime_error("no " + def.name.toStdString() + " column " + it.key().toStdString());
        row[i] = it.value();
    }
    return row;
}

// A MEISAI row with every column empty/zero but the key and the given values.
inline db::RowValues meisaiRow(const QString& month, const QString& code, int kind, const QString& employeeKind,
                               const QMap<QString, QString>& values, const QString& cid = QStringLiteral("01"))
{
    QMap<QString, QString> all{{"CID", cid}, {"SIKYUBI", month}, {"JGICODE", code}, {"SIKYUKBN", QString::number(kind)},
                               {"JGIKBN", employeeKind}};
    all.insert(values);
    return tableRow(db::Table::Meisai, all);
}

// Output of a poppler tool, or a null string when the tool is not installed.
inline QString runTool(const QString& tool, const QStringList& args)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return {};
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A print that goes to the PDF file `file` without a dialog, counting the previews shown.
inline reports::PrintJob::Hooks pdfHooks(const QString& file, int* previews)
{
    reports::PrintJob::Hooks h;
    h.installedPrinters = [] { return QStringList{}; };
    h.preview = [previews](QPrinter& p, const std::function<void(QPrinter*)>& paint) {
        ++*previews;
        paint(&p);
        return true;
    };
    h.choosePdfFile = [file](const QString&) { return file; };
    h.openFile = [](const QString&) {};
    return h;
}

} // namespace minasel::test
