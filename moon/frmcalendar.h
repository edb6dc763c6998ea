#pragma once
// Nocturo's calendar window: a month of the Moon's signs and phases in a grid
// of 7 x 5 day cells, filled row by row from the top left.

#include "engine/moonday.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace velorin {

class frmCalendar : public QWidget {
    Q_OBJECT
public:
    explicit frmCalendar(QWidget* parent = nullptr);

    // Prints the grabbed window. The default sends it to the default printer,
    // or to a PDF in the picture folder where no printer exists.
    using Printer = std::function<void(const QImage&)>;
    void setPrinter(Printer printer) { m_printer = std::move(printer); }

    // Fills the cells of the month's days, one day at a time with the user
    // interface kept responsive, and clears the cells past the last day. The
    // caption shows the year as typed. Returns false, with the message shown,
    // when a day could not be computed; the days before it stay filled.
    bool fillMonth(const QString& yearText, const MoonRequest& request,
                   const QString& pictureFolder);

    // "NYOMTAT": the window without the button goes to the printer.
    void Command1_Click();

    // Where a picture of size picture is painted in a cell of the size cell:
    // centred, its proportions kept, shrunk to fit and grown at most to twice
    // its own size.
    static QRect fittedPicture(QSize picture, QSize cell);

    static constexpr int kCells = 31;
    std::array<QLabel*, kCells> Label1{}; // day numbers
    std::array<QLabel*, kCells> PC{};     // the Moon's sign
    std::array<QLabel*, kCells> PF{};     // the phase picture
    std::array<QLabel*, 12> P{};          // the sign symbols the cells copy
    QLabel* Label2 = nullptr;             // the month caption
    QPushButton* Command1 = nullptr;

private:
    void clearCell(int index);
    void fillCell(int index, const MoonDay& day, const QString& pictureFolder);

    Printer m_printer;
};

} // namespace velorin
