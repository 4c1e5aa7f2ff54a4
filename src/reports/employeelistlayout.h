#pragma once
#include "reports/employeelist.h"

#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::reports {

class PrintCanvas;

// The printed employee list: A4 landscape, a frame with a heading band under the
// title, then seven employee bands of three rows each. Every value stands in
// the cell of its heading; coordinates are twips from the top-left paper corner.
class EmployeeListLayout {
public:
    static constexpr int kFontSize = 10;
    static constexpr int kPaper = 9;         // A4
    static constexpr int kOrientation = 2;   // landscape
    static constexpr int kBandsPerPage = 7;
    static constexpr int kBandHeight = 1290;
    static constexpr int kRowHeight = kBandHeight / 3;
    static constexpr int kLeft = 400;
    static constexpr int kRight = 16360;
    static constexpr int kHeadTop = 1000;    // top of the heading band

    // Top of the band of the n-th employee of a page (1 to 7).
    static constexpr int bandTop(int band) { return kHeadTop + band * kBandHeight; }
    static QString title() { return QStringLiteral("従　業　員　名　簿"); }

    // print_page_head: the frame, the title, the company, "P." and the page, the heading band.
    static void printPageHead(PrintCanvas& canvas, int page, const QString& companyName);
    // print_data: the values of one employee in band 1 to 7.
    static void printData(PrintCanvas& canvas, int band, const EmployeeListEntry& entry);

    enum class Outcome { Printed, Refused, Failed, NothingToPrint };
    // The whole list as one document: the page set-up first (nothing is printed
    // when the printer refuses A4 landscape), seven employees a page, then the
    // end of the document. Faults are logged as "prtJyugyoin.print_data".
    static Outcome print(AppContext& ctx, PrintCanvas& canvas, const QList<EmployeeListEntry>& entries);
};

} // namespace minasel::reports
