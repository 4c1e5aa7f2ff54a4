#pragma once
#include "app/screen.h"

#include <functional>

class QComboBox;
class QPushButton;

namespace minasel::reports {

// Choosing the printer of this run: the installed printers (newest first, as
// the system lists them in reverse) and the built-in PDF output.
class SetUsePrinter : public Screen {
    Q_OBJECT
public:
    using PrinterList = std::function<QStringList()>;
    // `installed` lists the installed printers (default: the system's).
    explicit SetUsePrinter(AppContext& ctx, PrinterList installed = {}, QWidget* parent = nullptr);

    QComboBox* printerList() const { return m_list; }
    void apply();

private:
    void fillPrinterList();

    PrinterList m_installed;
    QComboBox* m_list;
    QPushButton* m_apply;
    QPushButton* m_cancel;
};

} // namespace minasel::reports
