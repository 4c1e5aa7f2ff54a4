#include "reports/gensenbatch.h"

#include "app/appcontext.h"
#include "app/dberror.h"
#include "reports/fonts.h"
#include "reports/gensenlayout.h"
#include "reports/printcanvas.h"
#include "reports/printpaper.h"

namespace minasel::reports {

namespace {
constexpr int kDataError = 13;
}

GensenBatch::GensenBatch(AppContext& ctx, QString procedure) : m_ctx(ctx), m_procedure(std::move(procedure)) {}

QString GensenBatch::noRowMessage(const QStringList& codes)
{
    return QStringLiteral("年末調整データが登録されていない従業員があります（従業員番号：%1）。\n"
                          "年末調整を登録した後、印刷して下さい。")
        .arg(codes.join(QStringLiteral("、")));
}

QString GensenBatch::noPayerMessage()
{
    return QStringLiteral("支払者（会社情報）が登録されていません。会社情報を登録した後、印刷して下さい。");
}

bool GensenBatch::prepare(int year, const QList<PickerEntry>& employees)
{
    m_slips.clear();
    QStringList codes;
    QStringList noRow;
    for (const PickerEntry& e : employees) {
        const QString code = e.code.trimmed();
        db::RowValues nentyo;
        db::RowValues sinkoku;
        bool found = false;
        DbError error;
        if (!readGensenRows(m_ctx.db(), m_ctx.companyId, year, code, &nentyo, &sinkoku, &found, &error)) {
            m_ctx.reportError(error.code, error.description, m_procedure);
            m_slips.clear();
            return false;
        }
        if (!found) {
            noRow << code;
            continue;
        }
        GensenData data;
        QString why;
        if (!set_gensen_data(year, nentyo, sinkoku, &data, &why)) {
            m_ctx.reportError(kDataError, why, QStringLiteral("set_gensen_data()"));
            m_slips.clear();
            return false;
        }
        m_slips << data;
        codes << code;
    }
    if (!noRow.isEmpty()) {
        m_ctx.messages().exclamation(noRowMessage(noRow));
        m_slips.clear();
        return false;
    }
    return complete(codes);
}

bool GensenBatch::prepareRows(int year, const QString& code, const db::RowValues& nentyo,
                              const db::RowValues& sinkoku)
{
    m_slips = QList<GensenData>(1);
    QString why;
    if (!set_gensen_data(year, nentyo, sinkoku, &m_slips[0], &why)) {
        m_ctx.reportError(kDataError, why, QStringLiteral("set_gensen_data()"));
        m_slips.clear();
        return false;
    }
    return complete({code.trimmed()});
}

bool GensenBatch::complete(const QStringList& codes)
{
    QSqlDatabase db = m_ctx.db();
    GensenPayer payer;
    DbError error;
    bool ok = readGensenPayer(db, m_ctx.companyId, &payer, &error);
    QStringList missing;
    for (int i = 0; ok && i < m_slips.size(); ++i) {
        bool found = false;
        ok = readGensenRecipient(db, m_ctx.companyId, codes[i], &m_slips[i].recipient, &found, &error);
        if (!found)
            missing << codes[i];
        m_slips[i].payer = payer;
    }
    if (!ok) {
        m_ctx.reportError(error.code, error.description, m_procedure);
    } else if (payer.name.isEmpty() && payer.address1.isEmpty() && payer.number.isEmpty()) {
        // Without name, address or number there is no payer to print; a single
        // empty field only prints blank.
        m_ctx.messages().exclamation(noPayerMessage());
        ok = false;
    } else if (!missing.isEmpty()) {
        m_ctx.messages().exclamation(QStringLiteral("従業員マスタに登録されていない従業員があります（従業員番号：%1）。")
                                         .arg(missing.join(QStringLiteral("、"))));
        ok = false;
    }
    if (!ok)
        m_slips.clear();
    return ok;
}

bool GensenBatch::setUp(PrintCanvas& canvas)
{
    if (setPrintPaper(m_ctx, canvas, minchoFont(), GensenLayout::kFontSize, GensenLayout::kPaper,
                      GensenLayout::kOrientation, GensenLayout::kCustomHeight, GensenLayout::kCustomWidth))
        return true;
    canvas.abortDocument();
    return false;
}

bool GensenBatch::end(PrintCanvas& canvas)
{
    return finishDocument(m_ctx, canvas, m_procedure);
}

GensenBatch::Outcome GensenBatch::print(PrintCanvas& canvas, Paper paper, const Progress& progress)
{
    m_printed = 0;
    if (m_slips.isEmpty()) {
        canvas.abortDocument();
        return Outcome::NothingToPrint;
    }
    if (!setUp(canvas))
        return Outcome::Refused;
    const int total = int(m_slips.size());
    for (int i = 0; i < total; ++i) {
        if (i > 0)
            canvas.newPage();
        if (paper == Paper::Plain) {
            for (int copy = 1; copy <= 4; ++copy) {
                GensenLayout::PrintByPlainPaper(canvas, copy, m_slips[i]);
                GensenLayout::print_gensen_data(canvas, copy, m_slips[i]);
            }
        } else {
            GensenLayout::print_gensen_data_genshi(canvas, m_slips[i], m_dx, m_dy);
        }
        ++m_printed;
        if (progress)
            progress(i + 1, total);
    }
    return end(canvas) ? Outcome::Printed : Outcome::Failed;
}

GensenBatch::Outcome GensenBatch::printCalibration(PrintCanvas& canvas, const QString& printer, double mmX, double mmY)
{
    m_printed = 0;
    if (!setUp(canvas))
        return Outcome::Refused;
    GensenLayout::printCalibration(canvas, GensenLayout::mmToTwips(mmX), GensenLayout::mmToTwips(mmY), printer, mmX,
                                   mmY);
    m_printed = 1;
    return end(canvas) ? Outcome::Printed : Outcome::Failed;
}

} // namespace minasel::reports
