#pragma once
#include "transfer/transferfile.h"

#include <QDate>

namespace minasel {
class AppContext;
}

namespace minasel::reports {
class PrintCanvas;
}

namespace minasel::transfer {

// 振込一覧表: the payments of one transfer file on A4 portrait, for the company's
// files: the client and its account at the head, one line per payee with the
// account and the amount, the count and total (the trailer's) at the end.
class TransferListLayout {
public:
    static constexpr int kFontSize = 9;
    static constexpr int kPaper = 9;         // A4
    static constexpr int kOrientation = 1;   // portrait
    static constexpr int kLinesPerPage = 40;

    static QString title() { return QStringLiteral("振込一覧表"); }

    enum class Outcome { Printed, Refused, Failed };
    // The whole list as one document, the page set-up first. Faults are logged
    // under `procedure`.
    static Outcome print(AppContext& ctx, reports::PrintCanvas& canvas, const TransferFile::Result& data,
                         const QString& procedure);
    static int pageCount(int lines) { return std::max(1, (lines + kLinesPerPage - 1) / kLinesPerPage); }
};

} // namespace minasel::transfer
