#include "reports/gensenlayout.h"

#include "app/datehelpers.h"
#include "app/valuehelpers.h"
#include "reports/fonts.h"
#include "reports/gensendata.h"
#include "reports/printcanvas.h"
#include "reports/textfit.h"

#include <cmath>

namespace minasel::reports {

using namespace gensen;

namespace {

// The frame, relative to the copy's origin. The title line stands above kTop.
constexpr int W = 7600;
constexpr int kTop = 330;
constexpr int kRecA = 570, kRecB = 810, kRecC = 1050;            // right half of the recipient block
constexpr int kAmountHead = 1530, kAmountValues = 1800;
constexpr int kCountHead = 2280, kCountGroup = 2500, kCountValues = 2700;
constexpr int kInsHead = 2960, kInsValues = 3120;
constexpr int kTekiyo = 3420;
constexpr int kLife = 3960;
constexpr int kHousing = 4240, kHousing2 = 4500;
constexpr int kSpouse = 4760, kSpouse2 = 5020;
constexpr int kDependants = 5280, kPersonRow = 260;
constexpr int kMore = 6320;
constexpr int kStatus = 6560, kStatusGroup = 6665, kStatusValues = 6770;
constexpr int kPayer = 6980, kPayer2 = 7200, kPayer3 = 7420;
constexpr int kBottom = 7640;

// The four main amounts: digits one per 185-twip cell, ending at these x.
constexpr int kAmountColumns[] = {1130, 2780, 4360, 5950};
constexpr int kPayEnd = 2710, kAfterEnd = 4290, kDeductionEnd = 5880, kTaxEnd = 7460;
constexpr int kAmountLine = 2040;
constexpr int kAmountPitch = 185;

// Insurance boxes: 千 and 円 cells end at these offsets from kInsBase (the
// life-insurance box the same from its own left edge).
constexpr int kInsBase = 450;
constexpr int kInsBoxes[] = {1900, 3800, 5700};
constexpr int kLifePairs = 900, kLifePair = 1340, kLifeCaption = 640;
constexpr int kSpousePairs = 3650, kSpousePair = 1317, kSpouseCaption = 600;

// Individual numbers: recipient, spouse, dependants, payer.
constexpr int kMyNumberX = 4990, kMyNumberPitch = 210;
constexpr int kSpouseNumberX = 1450, kSpouseNumberPitch = 150;
constexpr int kPersonNumberPitch = 115;
constexpr int kPersonNumberX[] = {2120, 5920};
constexpr int kPayerNumberX = 1300, kPayerNumberPitch = 190, kPayerCells = 13;

constexpr int kCaption = 6;
constexpr int kSmall = 5;
constexpr int kValue = 10;

// Everything on a copy goes through here: the origin, the font in force, and
// for the calibration sheet an outline around every value's place.
class Pen {
public:
    Pen(PrintCanvas& c, int dx, int dy, bool outline = false) : m_c(c), m_dx(dx), m_dy(dy), m_outline(outline) {}

    void font(int size, bool gothic = false)
    {
        if (size != m_size || gothic != m_gothic) {
            SetPrintFont(m_c, gothic ? gothicFont() : minchoFont(), size);
            m_size = size;
            m_gothic = gothic;
        }
    }
    void text(int x, int y, const QString& s, int size = kCaption, bool gothic = false)
    {
        if (s.isEmpty())
            return;
        font(size, gothic);
        PrintAt(m_c, m_dx + x, m_dy + y, s);
    }
    void centered(int x1, int x2, int y, const QString& s, int size = kCaption, bool gothic = false)
    {
        text((x1 + x2 - textWidth(s, size)) / 2, y, s, size, gothic);
    }
    // Caption lines centred in a box.
    void caption(int x1, int y1, int x2, int y2, const QStringList& lines, int size = kCaption)
    {
        const int height = int(lines.size()) * size * 20;
        int y = (y1 + y2 - height) / 2;
        for (const QString& l : lines) {
            centered(x1, x2, y, l, size);
            y += size * 20;
        }
    }
    // One character under the other, spread over the height; digits stay together.
    void vertical(int x1, int x2, int y1, int y2, const QString& s, int size = kCaption)
    {
        QStringList units;
        for (QChar ch : s) {
            if (ch.isDigit() && !units.isEmpty() && units.last().back().isDigit())
                units.last() += ch;
            else
                units << QString(ch);
        }
        const int n = int(units.size());
        const int pitch = std::max(size * 20, (y2 - y1) / std::max(1, n));
        int y = (y1 + y2 - pitch * n) / 2 + (pitch - size * 20) / 2;
        for (const QString& u : units) {
            centered(x1, x2, y, u, size);
            y += pitch;
        }
    }
    void line(int x1, int y1, int x2, int y2) { m_c.drawLine(m_dx + x1, m_dy + y1, m_dx + x2, m_dy + y2); }
    void hline(int y, int x1, int x2) { line(x1, y, x2, y); }
    void vline(int x, int y1, int y2) { line(x, y1, x, y2); }
    void rect(int x1, int y1, int x2, int y2)
    {
        hline(y1, x1, x2);
        hline(y2, x1, x2);
        vline(x1, y1, y2);
        vline(x2, y1, y2);
    }

    // Values. Each knows the room it owns, which the calibration sheet outlines.

    // Characters one per cell, right-aligned ending at `right`; a text longer
    // than its cells keeps its right edge and grows to the left.
    void cellsRight(int right, int y, const QString& s, int pitch, int size, int cells)
    {
        place(right - cells * pitch, y, right, size);
        const int half = size * 10;
        int x = right - pitch;
        for (int i = int(s.size()) - 1; i >= 0; --i, x -= pitch)
            text(x + (pitch - half) / 2, y, QString(s[i]), size);
    }
    // Characters one per cell from `left`.
    void cellsLeft(int left, int y, const QString& s, int pitch, int size, int cells)
    {
        place(left, y, left + cells * pitch, size);
        const int half = size * 10;
        for (int i = 0; i < s.size() && i < cells; ++i)
            text(left + i * pitch + (pitch - half) / 2, y, QString(s[i]), size);
    }
    // A text right-aligned at `right` in a room of `room` twips.
    void right(int right, int y, const QString& s, int size, int room)
    {
        place(right - room, y, right, size);
        text(right - textWidth(s, size), y, s, size);
    }
    // A name: smaller while too wide (not below 5 points), then cut.
    void fitted(int x, int y, const QString& s, int size, int room)
    {
        place(x, y, x + room, size);
        const FittedText f = fitText(s, size, room, kSmall);
        text(x, y + (size - f.points) * 10, f.text, f.points);
    }
    // A text over several lines of a box, cut at the last line.
    void wrapped(int x, int y, const QString& s, int size, int room, int lines)
    {
        place(x, y, x + room, size * lines);
        QString rest = s;
        for (int l = 0; l < lines && !rest.isEmpty(); ++l) {
            int n = 0;
            while (n < rest.size() && textWidth(rest.left(n + 1), size) <= room)
                ++n;
            text(x, y + l * size * 20, rest.left(n), size);
            rest = rest.mid(n);
        }
    }
    void mark(int x1, int x2, int y, bool on)
    {
        place((x1 + x2) / 2 - 100, y, (x1 + x2) / 2 + 100, kValue);
        if (on)
            centered(x1, x2, y, QStringLiteral("*"), kValue);
    }

private:
    void place(int x1, int y, int x2, int size)
    {
        if (m_outline)
            rect(x1 - 15, y - 15, x2 + 15, y + size * 20 + 15);
    }

    PrintCanvas& m_c;
    int m_dx;
    int m_dy;
    bool m_outline;
    int m_size = -1;
    bool m_gothic = false;
};

QString amountText(long long v)
{
    return QString::number(v);
}

// "#,###": nothing for 0.
QString grouped(long long v)
{
    return v == 0 ? QString() : formatNumber(double(v), QStringLiteral("#,###"));
}

// An amount split into its 千 and 円 cells (the 円 cell alone up to 999); nothing for 0.
void splitAmount(Pen& p, long long v, int thousandEnd, int thousandPitch, int yenEnd, int y)
{
    if (v == 0)
        return;
    const QString digits = amountText(v);
    if (v > 999 || v < -999) {
        p.cellsRight(thousandEnd, y, digits.left(digits.size() - 3), thousandPitch, kValue, 4);
        p.cellsRight(yenEnd, y, digits.right(3), 140, kValue, 3);
    } else {
        p.cellsRight(yenEnd, y, digits, 140, kValue, 3);
    }
}

struct EraDate {
    QString era, year, month, day;
};

EraDate eraDate(const QString& yyyymmdd)
{
    QString era;
    const QStringList parts = GetWarekiParts(yyyymmdd, era);
    if (parts.size() < 4)
        return {};
    return {era, parts[1], parts[2], parts[3]};
}

bool isAdjusted(const GensenData& d)
{
    return d.field(Adjusted) == QLatin1String("1");
}

// A year's number of an era as printed: 元 for the first year of 令和.
QString eraYearText(int year, QString* era)
{
    const EraDate e = eraDate(QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')) + QStringLiteral("0101"));
    *era = e.era;
    const int n = e.year.toInt();
    return e.era == QStringLiteral("令和") && n == 1 ? QStringLiteral("元") : QString::number(n);
}

// ------------------------------------------------------------------ frame

void print_Gensenline_kyoutu(Pen& p)
{
    p.rect(0, kTop, W, kBottom);

    // Recipient.
    p.vline(260, kTop, kAmountHead);
    p.vline(3900, kTop, kAmountHead);
    for (int y : {kRecA, kRecB, kRecC})
        p.hline(y, 3900, W);
    p.vline(4150, kRecC, kAmountHead);
    for (int k = 0; k <= 12; ++k)
        p.vline(kMyNumberX + k * kMyNumberPitch, kRecA, kRecB);

    // Main amounts.
    p.hline(kAmountHead, 0, W);
    p.hline(kAmountValues, 0, W);
    for (int x : kAmountColumns)
        p.vline(x, kAmountHead, kCountHead);

    // Spouse and dependant counts.
    p.hline(kCountHead, 0, W);
    p.hline(kCountValues, 0, W);
    for (int x : {780, 1080, 2100, 4480, 5100, 6400})
        p.vline(x, kCountHead, kInsHead);
    p.hline(kCountGroup, 0, 780);
    p.vline(390, kCountGroup, kInsHead);
    p.hline(kCountGroup, 2100, 4480);
    for (int x : {2660, 3500, 4060})
        p.vline(x, kCountGroup, kInsHead);
    p.hline(kCountGroup, 5100, 6400);
    p.vline(5920, kCountGroup, kInsHead);
    for (int x : {2380, 2940, 3220, 3780, 5510})
        p.vline(x, kCountValues, kInsHead);

    // Insurance.
    p.hline(kInsHead, 0, W);
    p.hline(kInsValues, 0, W);
    for (int x : kInsBoxes)
        p.vline(x, kInsHead, kTekiyo);
    p.hline(kTekiyo, 0, W);

    // Breakdowns: life insurance, housing loan, spouse.
    p.hline(kLife, 0, W);
    p.vline(900, kLife, kDependants);
    for (int i = 0; i < 5; ++i) {
        const int x = kLifePairs + i * kLifePair;
        if (i > 0)
            p.vline(x, kLife, kHousing);
        p.vline(x + kLifeCaption, kLife, kHousing);
    }
    p.hline(kHousing, 0, W);
    p.hline(kHousing2, 900, W);
    for (int x : {1700, 2400, 3200, 3550, 3850, 4150, 5050, 5650, 6450})
        p.vline(x, kHousing, kSpouse);
    p.hline(kSpouse, 0, W);
    p.hline(kSpouse2, 900, 3400);
    p.hline(kSpouse2, kSpousePairs, W);
    p.vline(3400, kSpouse, kDependants);
    for (int i = 0; i < 3; ++i) {
        const int x = kSpousePairs + i * kSpousePair;
        p.vline(x, kSpouse, kDependants);
        p.vline(x + kSpouseCaption, kSpouse, kDependants);
    }
    for (int k = 0; k <= 12; ++k)
        p.vline(kSpouseNumberX + k * kSpouseNumberPitch, kSpouse2, kDependants);

    // Dependants and dependants under 16, four rows each.
    p.hline(kDependants, 0, W);
    for (int x : {260, 400, 3500, 3800, 4060, 4200, 7300})
        p.vline(x, kDependants, kMore);
    for (int i = 0; i < 4; ++i) {
        const int y = kDependants + i * kPersonRow;
        if (i > 0) {
            p.hline(y, 260, 3800);
            p.hline(y, 4060, W);
        }
        for (int left : kPersonNumberX) {
            p.hline(y + 100, left, left + 12 * kPersonNumberPitch);
            for (int k = 0; k <= 12; ++k)
                p.vline(left + k * kPersonNumberPitch, y + 100, y + kPersonRow);
        }
    }
    p.hline(kMore, 0, W);
    for (int x : {1200, 3800, 5000})
        p.vline(x, kMore, kStatus);

    // Status marks, change of employment, date of birth.
    p.hline(kStatus, 0, W);
    p.hline(kStatusValues, 0, W);
    for (int x : {340, 680, 1020, 1360, 1700, 2400, 2740, 3080, 3420, 5460})
        p.vline(x, kStatus, kPayer);
    p.hline(kStatusGroup, 1700, 2400);
    p.hline(kStatusGroup, 3420, W);
    for (int x : {2050, 3760, 4100, 4560, 5000, 6140, 6620, 7100})
        p.vline(x, kStatusGroup, kPayer);

    // Payer.
    p.hline(kPayer, 0, W);
    p.vline(260, kPayer, kBottom);
    p.hline(kPayer2, 260, W);
    p.hline(kPayer3, 260, W);
    p.vline(1300, kPayer, kBottom);
    for (int k = 0; k <= kPayerCells; ++k)
        p.vline(kPayerNumberX + k * kPayerNumberPitch, kPayer, kPayer2);
}

void print_Gensentitle_kyoutu(Pen& p)
{
    // Recipient.
    p.vertical(0, 260, kTop, kAmountHead, QStringLiteral("支払を受ける者"));
    p.text(300, kTop + 40, QStringLiteral("住所"));
    p.text(300, kTop + 170, QStringLiteral("又は"));
    p.text(300, kTop + 300, QStringLiteral("居所"));
    p.text(3930, kTop + 15, QStringLiteral("（受給者番号）"), kSmall);
    p.text(3930, kRecA + 70, QStringLiteral("（個人番号）"), kSmall);
    p.text(3930, kRecB + 15, QStringLiteral("（役職名）"), kSmall);
    p.vertical(3900, 4150, kRecC, kAmountHead, QStringLiteral("氏名"), 8);
    p.text(4180, kRecC + 15, QStringLiteral("（フリガナ）"), kSmall);

    // Main amounts.
    p.caption(0, kAmountHead, kAmountColumns[0], kAmountValues, {QStringLiteral("種　　別")}, 8);
    p.caption(kAmountColumns[0], kAmountHead, kAmountColumns[1], kAmountValues, {QStringLiteral("支　払　金　額")}, 8);
    p.caption(kAmountColumns[1], kAmountHead, kAmountColumns[2], kAmountValues,
              {QStringLiteral("給与所得控除後の金額"), QStringLiteral("（調整控除後）")}, kCaption);
    p.caption(kAmountColumns[2], kAmountHead, kAmountColumns[3], kAmountValues,
              {QStringLiteral("所得控除の額の合計額")}, 7);
    p.caption(kAmountColumns[3], kAmountHead, W, kAmountValues, {QStringLiteral("源 泉 徴 収 税 額")}, 8);
    const int ends[] = {kPayEnd, kAfterEnd, kDeductionEnd, kTaxEnd};
    for (int end : ends) {
        p.text(end - 3 * kAmountPitch - 110, kAmountValues + 15, QStringLiteral("千"), kSmall);
        p.text(end - 110, kAmountValues + 15, QStringLiteral("円"), kSmall);
    }
    p.text(kAmountColumns[0] + 25, kAmountValues + 15, QStringLiteral("内"), kSmall);
    p.text(kAmountColumns[3] + 25, kAmountValues + 15, QStringLiteral("内"), kSmall);

    // Counts.
    p.caption(0, kCountHead, 780, kCountGroup,
              {QStringLiteral("（源泉）控除対象"), QStringLiteral("配偶者の有無等")}, kSmall);
    p.caption(0, kCountGroup, 390, kCountValues, {QStringLiteral("有")}, kSmall);
    p.caption(390, kCountGroup, 780, kCountValues, {QStringLiteral("従有")}, kSmall);
    p.caption(780, kCountHead, 1080, kCountValues, {QStringLiteral("老人")}, kCaption);
    p.caption(1080, kCountHead, 2100, kCountValues, {QStringLiteral("配偶者（特別）"), QStringLiteral("控除の額")});
    p.caption(2100, kCountHead, 4480, kCountGroup,
              {QStringLiteral("控除対象扶養親族等の数"), QStringLiteral("（配偶者を除く。）")}, kSmall);
    p.caption(2100, kCountGroup, 2660, kCountValues, {QStringLiteral("特定")});
    p.caption(2660, kCountGroup, 3500, kCountValues, {QStringLiteral("老人")});
    p.caption(3500, kCountGroup, 4060, kCountValues, {QStringLiteral("その他")});
    p.caption(4060, kCountGroup, 4480, kCountValues, {QStringLiteral("特親")});
    p.caption(4480, kCountHead, 5100, kCountValues,
              {QStringLiteral("16歳未満"), QStringLiteral("扶養親族"), QStringLiteral("の数")});
    p.caption(5100, kCountHead, 6400, kCountGroup, {QStringLiteral("障害者の数"), QStringLiteral("（本人を除く。）")},
              kSmall);
    p.caption(5100, kCountGroup, 5920, kCountValues, {QStringLiteral("特別")});
    p.caption(5920, kCountGroup, 6400, kCountValues, {QStringLiteral("その他")});
    p.caption(6400, kCountHead, W, kCountValues,
              {QStringLiteral("非居住者"), QStringLiteral("である"), QStringLiteral("親族の数")});
    const int unitY = kCountValues + 5;
    p.text(1600 - 100, unitY, QStringLiteral("千"), kSmall);
    p.text(2050 - 100, unitY, QStringLiteral("円"), kSmall);
    for (int right : {2380, 3220, 3780, 4480, 5100, 5920, 6400, W})
        p.text(right - 110, unitY, QStringLiteral("人"), kSmall);
    for (int right : {2660, 3500, 4060})
        p.text(right - 210, unitY, QStringLiteral("従人"), kSmall);
    for (int right : {2940, 5510})
        p.text(right - 110, unitY, QStringLiteral("内"), kSmall);

    // Insurance.
    const char* insurance[] = {"社会保険料等の金額", "生命保険料の控除額", "地震保険料の控除額", "住宅借入金等特別控除の額"};
    for (int i = 0; i < 4; ++i) {
        const int x1 = i == 0 ? 0 : kInsBoxes[i - 1];
        const int x2 = i == 3 ? W : kInsBoxes[i];
        p.caption(x1, kInsHead, x2, kInsValues, {QString::fromUtf8(insurance[i])}, kCaption);
    }
    p.text(25, kInsValues + 10, QStringLiteral("内"), kSmall);
    for (int base : {kInsBase, 1900 + kInsBase}) {
        p.text(base + 750 - 100, kInsValues + 10, QStringLiteral("千"), kSmall);
        p.text(base + 1250 - 100, kInsValues + 10, QStringLiteral("円"), kSmall);
    }
    p.text(kInsBase + 4450 - 100, kInsValues + 10, QStringLiteral("千"), kSmall);
    p.text(kInsBase + 4950 - 100, kInsValues + 10, QStringLiteral("円"), kSmall);
    p.text(kInsBase + 6400 - 100, kInsValues + 10, QStringLiteral("千"), kSmall);
    p.text(kInsBase + 6950 - 100, kInsValues + 10, QStringLiteral("円"), kSmall);

    p.text(30, kTekiyo + 20, QStringLiteral("（摘要）"));

    // Life-insurance breakdown.
    p.caption(0, kLife, 900, kHousing, {QStringLiteral("生命保険料の"), QStringLiteral("金額の内訳")});
    const char* life[][2] = {{"新生命保険料", "の金額"},
                             {"旧生命保険料", "の金額"},
                             {"介護医療保険", "料の金額"},
                             {"新個人年金", "保険料の金額"},
                             {"旧個人年金", "保険料の金額"}};
    for (int i = 0; i < 5; ++i) {
        const int x = kLifePairs + i * kLifePair;
        p.caption(x, kLife, x + kLifeCaption, kHousing, {QString::fromUtf8(life[i][0]), QString::fromUtf8(life[i][1])},
                  kSmall);
        p.text(x + kLifePair - 110, kLife + 15, QStringLiteral("円"), kSmall);
    }

    // Housing-loan breakdown.
    p.caption(0, kHousing, 900, kSpouse,
              {QStringLiteral("住宅借入金等"), QStringLiteral("特別控除の額"), QStringLiteral("の内訳")});
    for (int row = 0; row < 2; ++row) {
        const int y1 = row == 0 ? kHousing : kHousing2;
        const int y2 = y1 + 260;
        const QString n = row == 0 ? QStringLiteral("（1回目）") : QStringLiteral("（2回目）");
        p.caption(900, y1, 1700, y2,
                  {QStringLiteral("住宅借入金等"),
                   row == 0 ? QStringLiteral("特別控除適用数") : QStringLiteral("特別控除可能額")},
                  kSmall);
        p.caption(2400, y1, 3200, y2, {QStringLiteral("居住開始年月日"), n}, kSmall);
        p.caption(4150, y1, 5050, y2, {QStringLiteral("住宅借入金等特別"), QStringLiteral("控除区分") + n}, kSmall);
        p.caption(5650, y1, 6450, y2, {QStringLiteral("住宅借入金等"), QStringLiteral("年末残高") + n}, kSmall);
        p.text(3550 - 110, y1 + 10, QStringLiteral("年"), kSmall);
        p.text(3850 - 110, y1 + 10, QStringLiteral("月"), kSmall);
        p.text(4150 - 110, y1 + 10, QStringLiteral("日"), kSmall);
        p.text(W - 110, y1 + 10, QStringLiteral("円"), kSmall);
    }
    p.text(2400 - 110, kHousing2 + 10, QStringLiteral("円"), kSmall);

    // Spouse.
    p.caption(0, kSpouse, 900, kDependants,
              {QStringLiteral("（源泉・特別）"), QStringLiteral("控除対象"), QStringLiteral("配偶者")});
    p.text(920, kSpouse + 10, QStringLiteral("（フリガナ）"), kSmall);
    p.text(920, kSpouse + 130, QStringLiteral("氏名"), kSmall);
    p.text(920, kSpouse2 + 80, QStringLiteral("個人番号"), kSmall);
    p.text(3420, kSpouse + 10, QStringLiteral("区分"), kSmall);
    const char* spouse[][2][2] = {
        {{"配偶者の", "合計所得"}, {"基礎控除の額", ""}},
        {{"国民年金保険", "料等の金額"}, {"所得金額", "調整控除額"}},
        {{"旧長期損害", "保険料の金額"}, {"特定親族", "特別控除の額"}},
    };
    for (int i = 0; i < 3; ++i) {
        const int x = kSpousePairs + i * kSpousePair;
        for (int row = 0; row < 2; ++row) {
            const int y1 = row == 0 ? kSpouse : kSpouse2;
            QStringList lines{QString::fromUtf8(spouse[i][row][0])};
            if (*spouse[i][row][1])
                lines << QString::fromUtf8(spouse[i][row][1]);
            p.caption(x, y1, x + kSpouseCaption, y1 + 260, lines, kSmall);
            p.text(x + kSpousePair - 110, y1 + 10, QStringLiteral("円"), kSmall);
        }
    }

    // Dependants.
    p.vertical(0, 260, kDependants, kMore, QStringLiteral("控除対象扶養親族"), kCaption);
    p.vertical(3800, 4060, kDependants, kMore, QStringLiteral("16歳未満の扶養親族"), kSmall);
    for (int i = 0; i < 4; ++i) {
        const int y = kDependants + i * kPersonRow;
        for (int half = 0; half < 2; ++half) {
            const int numberLeft = half == 0 ? 260 : 4060;
            const int left = half == 0 ? 400 : 4200;
            p.caption(numberLeft, y, numberLeft + 140, y + kPersonRow, {QString::number(i + 1)}, kCaption);
            p.text(left + 20, y + 10, QStringLiteral("（フリガナ）"), kSmall);
            p.text(left + 20, y + 140, QStringLiteral("氏名"), kSmall);
            p.text(kPersonNumberX[half] + 20, y + 5, QStringLiteral("個人番号"), kSmall);
            p.text((half == 0 ? 3500 : 7300) + 20, y + 5, QStringLiteral("区分"), kSmall);
        }
    }
    p.caption(0, kMore, 1200, kStatus, {QStringLiteral("5人目以降の控除対象"), QStringLiteral("扶養親族の個人番号")},
              kSmall);
    p.caption(3800, kMore, 5000, kStatus,
              {QStringLiteral("5人目以降の16歳未満"), QStringLiteral("の扶養親族の個人番号")}, kSmall);

    // Status.
    const struct {
        int x1, x2;
        const char* a;
        const char* b;
    } marks[] = {{0, 340, "未成", "年者"},     {340, 680, "外国", "人"},    {680, 1020, "死亡", "退職"},
                 {1020, 1360, "災害", "者"},  {1360, 1700, "乙欄", ""},    {2400, 2740, "寡婦", ""},
                 {2740, 3080, "ひとり", "親"}, {3080, 3420, "勤労", "学生"}};
    for (const auto& m : marks) {
        QStringList lines{QString::fromUtf8(m.a)};
        if (*m.b)
            lines << QString::fromUtf8(m.b);
        p.caption(m.x1, kStatus, m.x2, kStatusValues, lines, kSmall);
    }
    p.caption(1700, kStatus, 2400, kStatusGroup, {QStringLiteral("本人が障害者")}, kSmall);
    p.caption(1700, kStatusGroup, 2050, kStatusValues, {QStringLiteral("特別")}, kSmall);
    p.caption(2050, kStatusGroup, 2400, kStatusValues, {QStringLiteral("その他")}, kSmall);
    p.caption(3420, kStatus, 5460, kStatusGroup, {QStringLiteral("中　途　就　・　退　職")}, kSmall);
    p.caption(5460, kStatus, W, kStatusGroup, {QStringLiteral("受　給　者　生　年　月　日")}, kSmall);
    const struct {
        int x1, x2;
        const char* s;
    } subs[] = {{3420, 3760, "就職"}, {3760, 4100, "退職"}, {4100, 4560, "年"}, {4560, 5000, "月"},
                {5000, 5460, "日"},   {5460, 6140, "元号"}, {6140, 6620, "年"}, {6620, 7100, "月"}, {7100, W, "日"}};
    for (const auto& s : subs)
        p.caption(s.x1, kStatusGroup, s.x2, kStatusValues, {QString::fromUtf8(s.s)}, kSmall);

    // Payer.
    p.vertical(0, 260, kPayer, kBottom, QStringLiteral("支払者"), kCaption);
    p.caption(260, kPayer, 1300, kPayer2, {QStringLiteral("個人番号又は"), QStringLiteral("法　人　番　号")}, kSmall);
    p.text(kPayerNumberX + kPayerCells * kPayerNumberPitch + 60, kPayer + 60, QStringLiteral("（右詰で記載してください。）"),
           kSmall);
    p.caption(260, kPayer2, 1300, kPayer3, {QStringLiteral("住所（居所）"), QStringLiteral("又は所在地")}, kSmall);
    p.caption(260, kPayer3, 1300, kBottom, {QStringLiteral("氏名又は名称")}, kSmall);
    p.text(5300, kPayer3 + 70, QStringLiteral("（電話）"), kSmall);
}

// The title line: era-year caption, the form's name, and which copy this is.
void titleLine(Pen& p, int year, const QString& formName, int nameSize, const QString& copyName)
{
    p.text(1400, 60, GensenLayout::yearCaption(year), 11);
    p.text(2600, 20, formName, nameSize, true);
    // The copy's name, one character every 120 twips.
    for (int i = 0; i < copyName.size(); ++i)
        p.text(6800 + i * 120, 76, QString(copyName[i]), kCaption, true);
}

// ------------------------------------------------------------------ values

void print_gensen_title(Pen& p, const GensenData& d, bool numbers)
{
    const GensenRecipient& r = d.recipient;
    p.fitted(4700, kTop + 40, r.code, 10, 2800);
    if (numbers)
        p.cellsLeft(kMyNumberX, kRecA + 20, r.myNumber, kMyNumberPitch, kValue, 12);
    static const char* kinds[] = {"役員", "正社員", "契約社員", "パート", "アルバイト"};
    const int kind = r.kind.isEmpty() ? -1 : r.kind.toInt();
    p.fitted(4500, kRecB + 30, kind >= 0 && kind < 5 ? QString::fromUtf8(kinds[kind]) : QString(), 9, 2900);

    // Address: 〒, then the two lines (the first one line lower when alone).
    p.fitted(700, kTop + 80, r.zip.isEmpty() ? QString() : QStringLiteral("〒") + r.zip, 9, 3100);
    const bool oneLine = r.address2.isEmpty();
    p.fitted(700, oneLine ? kTop + 700 : kTop + 400, r.address1, 10, 3150);
    p.fitted(700, kTop + 700, r.address2, 10, 3150);

    // Blanks of either width count as one space.
    auto spaced = [](QString s) {
        s.replace(QChar(0x3000), QLatin1Char(' '));
        return s.simplified();
    };
    p.fitted(4800, kRecC + 15, spaced(r.kana), 7, 2750);
    p.fitted(4300, kRecC + 190, spaced(r.name), 13, 3250);

    p.centered(0, kAmountColumns[0], kAmountLine, kind == 0 ? QStringLiteral("報酬") : QStringLiteral("給与"), kValue);
    p.mark(340, 680, kStatusValues, r.foreigner == QLatin1String("1"));

    // Change of employment in the slip's year: leaving wins over joining.
    const QString year = QString::number(d.year);
    QString changed;
    if (r.left.left(4) == year) {
        p.mark(3760, 4100, kStatusValues, true);
        changed = r.left;
    } else if (r.joined.left(4) == year) {
        p.mark(3420, 3760, kStatusValues, true);
        changed = r.joined;
    }
    const EraDate c = eraDate(changed);
    p.right(4560 - 60, kStatusValues, c.year, 9, 300);
    p.right(5000 - 60, kStatusValues, c.month, 9, 300);
    p.right(5460 - 60, kStatusValues, c.day, 9, 300);

    const EraDate b = eraDate(r.birthday);
    p.centered(5460, 6140, kStatusValues, b.era, 9);
    p.right(6620 - 60, kStatusValues, b.year, 9, 300);
    p.right(7100 - 60, kStatusValues, b.month, 9, 300);
    p.right(W - 60, kStatusValues, b.day, 9, 300);
    // Under age at the end of the year (18 since the age of majority changed in 2022).
    const int born = r.birthday.left(4).toInt();
    if (born > 0) {
        const int age = d.year - born;
        p.mark(0, 340, kStatusValues, age < (d.year >= 2022 ? 18 : 20));
    }
}

void payerBlock(Pen& p, const GensenData& d, bool numbers)
{
    const GensenPayer& pay = d.payer;
    // A 13-digit corporate number is public; a payer's own 12-digit number is not.
    const bool corporate = pay.number.size() == 13;
    if (numbers || corporate)
        p.cellsRight(kPayerNumberX + kPayerCells * kPayerNumberPitch, kPayer + 30, pay.number, kPayerNumberPitch, 9,
                     kPayerCells);
    QString address = pay.zip.isEmpty() ? QString() : QStringLiteral("〒") + pay.zip + QStringLiteral("　");
    address += pay.address1 + pay.address2;
    p.fitted(1350, kPayer2 + 40, address, 9, 6150);
    p.fitted(1350, kPayer3 + 30, pay.name, 9, 3850);
    p.fitted(5800, kPayer3 + 40, pay.tel, 9, 1750);
}

// A person's row: kana above the name, the number in its cells.
void personRow(Pen& p, const GensenData& d, int first, int i, int half, int row, bool numbers, const QString& kind)
{
    const int y = kDependants + row * kPersonRow;
    const int left = half == 0 ? 400 : 4200;
    const int numberX = kPersonNumberX[half];
    p.fitted(left + 640, y + 10, d.field(personKana(first, i)), kSmall, numberX - left - 660);
    p.fitted(left + 260, y + 100, d.field(personName(first, i)), 8, numberX - left - 280);
    if (numbers)
        p.cellsLeft(numberX, y + 120, d.field(personNumber(first, i)), kPersonNumberPitch, 6, 12);
    p.fitted((half == 0 ? 3500 : 7300) + 30, y + 120, kind, kCaption, 250);
}

void values(Pen& p, const GensenData& d, bool numbers)
{
    const bool adjusted = isAdjusted(d);

    // Main amounts; what only the adjustment gives stays blank without it.
    auto main = [&](int end, int field, bool show) {
        p.cellsRight(end, kAmountLine, show ? d.field(field) : QString(), kAmountPitch, kValue, 8);
    };
    main(kPayEnd, Pay, true);
    main(kAfterEnd, AfterDeduction, adjusted);
    main(kDeductionEnd, DeductionTotal, adjusted);
    main(kTaxEnd, Tax, true);

    // Spouse and counts, each only when not 0.
    const int countY = kCountValues + 45;
    p.mark(0, 390, countY, d.field(SpousePresent) == QLatin1String("1"));
    p.mark(780, 1080, countY, d.field(ElderlySpouse) == QLatin1String("1"));
    splitAmount(p, d.amount(SpouseDeduction), 1600, 140, 2050, countY);
    auto count = [&](int cellRight, long long n, int cells) {
        p.cellsRight(cellRight - 120, countY, n != 0 ? QString::number(n) : QString(), 150, kValue, cells);
    };
    count(2380, d.amount(DependSpecific), 1);
    count(2940, d.amount(DependElderlyLiving), 1);
    count(3220, d.amount(DependElderlyLiving) + d.amount(DependElderlyOther), 1);
    count(3780, d.amount(DependOther), 1);
    count(4480, d.amount(SpecificRelativeCount), 1);
    count(5100, d.amount(Under16), 2);
    count(5510, d.amount(DisabledLivingTogether), 1);
    count(5920, d.amount(DisabledSpecial) + d.amount(DisabledLivingTogether), 1);
    count(6400, d.amount(DisabledOther), 2);
    count(W, d.amount(NonResident), 2);

    // Insurance and the housing-loan credit (what could be used against the tax).
    const int insY = kInsValues + 100;
    splitAmount(p, d.amount(SocialInsurance), kInsBase + 750, 140, kInsBase + 1250, insY);
    p.right(660, kInsValues + 10, grouped(d.amount(SmallEnterprise)), kCaption, 480);
    splitAmount(p, d.amount(LifeInsurance), 1900 + kInsBase + 750, 140, 1900 + kInsBase + 1250, insY);
    splitAmount(p, d.amount(Earthquake), kInsBase + 4450, 130, kInsBase + 4950, insY);
    splitAmount(p, std::max(0LL, std::min(d.amount(HousingCredit), d.amount(YearTax))), kInsBase + 6400, 140,
                kInsBase + 6950, insY);

    // 摘要.
    for (int i = 0; i < 3; ++i)
        p.fitted(700, kTekiyo + 40 + i * 165, d.field(Tekiyo1 + i), 8, 6800);

    // Breakdowns: amounts right-aligned under their 円, blank for 0 and without the adjustment.
    auto breakdown = [&](int boxRight, int y, int field) {
        p.right(boxRight - 30, y, adjusted ? grouped(d.amount(field)) : QString(), 7, 640);
    };
    const int lifeFields[] = {NewLife, OldLife, CareMedical, NewPension, OldPension};
    for (int i = 0; i < 5; ++i)
        breakdown(kLifePairs + (i + 1) * kLifePair, kLife + 120, lifeFields[i]);

    for (int row = 0; row < 2; ++row) {
        const int y = (row == 0 ? kHousing : kHousing2) + 100;
        if (row == 0)
            p.right(2400 - 120, y - 50, adjusted && d.amount(HousingCount) != 0 ? d.field(HousingCount) : QString(),
                    9, 500);
        else
            breakdown(2400, y, HousingAvailable);
        const EraDate start = adjusted ? eraDate(d.field(row == 0 ? ResidenceStart1 : ResidenceStart2)) : EraDate{};
        p.right(3550 - 120, y, start.year, 8, 200);
        p.right(3850 - 120, y, start.month, 8, 160);
        p.right(4150 - 120, y, start.day, 8, 160);
        p.fitted(5080, y, adjusted ? d.field(row == 0 ? HousingKind1 : HousingKind2) : QString(), 8, 540);
        breakdown(W, y, row == 0 ? HousingBalance1 : HousingBalance2);
    }

    // Spouse line.
    p.fitted(1550, kSpouse + 10, d.field(SpouseKana), kSmall, 1830);
    p.fitted(1300, kSpouse + 95, d.field(SpouseName), 8, 2050);
    if (numbers)
        p.cellsLeft(kSpouseNumberX, kSpouse2 + 70, d.field(SpouseNumber), kSpouseNumberPitch, 7, 12);
    const int spouseRight[] = {kSpousePairs + kSpousePair, kSpousePairs + 2 * kSpousePair, W};
    breakdown(spouseRight[0], kSpouse + 110, SpouseIncome);
    breakdown(spouseRight[1], kSpouse + 110, NationalPension);
    breakdown(spouseRight[2], kSpouse + 110, OldLongTerm);
    // 基礎控除: up to 2024 only when it is not the standard 480,000; since 2025 always.
    const long long basic = d.amount(BasicDeduction);
    const bool showBasic = adjusted && (d.year >= 2025 || basic != 480'000);
    p.right(spouseRight[0] - 30, kSpouse2 + 110,
            showBasic ? formatAmount(basic) : QString(), 7, 640);
    breakdown(spouseRight[1], kSpouse2 + 110, IncomeAdjustment);
    breakdown(spouseRight[2], kSpouse2 + 110, SpecificRelativeDeduction);

    // Dependants; the 特定親族 the deduction was given for fill the rows left free.
    int row = 0;
    for (int i = 0; i < 4; ++i)
        if (!d.field(personName(Dependants, i)).isEmpty() || !d.field(personNumber(Dependants, i)).isEmpty()) {
            personRow(p, d, Dependants, i, 0, row, numbers, QString());
            ++row;
        }
    QStringList beyond;
    for (int i = 0; i < 4; ++i) {
        if (d.field(personName(SpecificRelatives, i)).isEmpty())
            continue;
        if (row < 4) {
            personRow(p, d, SpecificRelatives, i, 0, row, numbers, QStringLiteral("特親"));
            ++row;
        } else {
            beyond << QStringLiteral("（特親）") + d.field(personName(SpecificRelatives, i))
                    + (numbers ? QLatin1Char(' ') + d.field(personNumber(SpecificRelatives, i)) : QString());
        }
    }
    for (int i = 0; i < 4; ++i)
        personRow(p, d, Under16Dependants, i, 1, i, numbers, QString());
    // The boxes for the fifth and later hold individual numbers.
    if (numbers) {
        QStringList more{d.field(DependantsMore)};
        more << beyond;
        if (!d.field(SpecificRelativesMore).isEmpty())
            more << QStringLiteral("（特親）") + d.field(SpecificRelativesMore);
        more.removeAll(QString());
        p.wrapped(1230, kMore + 20, more.join(QStringLiteral("　")), kSmall, 2540, 2);
        p.wrapped(5030, kMore + 20, d.field(Under16More), kSmall, 2540, 2);
    }

    // Status marks.
    p.mark(2400, 2740, kStatusValues, d.field(Widow) == QLatin1String("1"));
    p.mark(2740, 3080, kStatusValues, d.field(SingleParent) == QLatin1String("1"));
    p.mark(3080, 3420, kStatusValues, d.field(WorkingStudent) == QLatin1String("1"));

    payerBlock(p, d, numbers);
}

// A fully filled slip for the calibration sheet: every place shows a value.
GensenData sampleData()
{
    GensenData d;
    d.year = 2026;
    for (int i = 0; i < FieldCount; ++i)
        d.fields << QString();
    for (int i : {Pay, Tax, AfterDeduction, DeductionTotal})
        d.fields[i] = QStringLiteral("88888888");
    for (int i : {SocialInsurance, LifeInsurance, Earthquake, HousingCredit, YearTax, SpouseDeduction})
        d.fields[i] = QStringLiteral("888888");
    for (int i : {NewLife, OldLife, CareMedical, NewPension, OldPension, HousingAvailable, HousingBalance1,
                  HousingBalance2, SpouseIncome, NationalPension, OldLongTerm, BasicDeduction, IncomeAdjustment,
                  SpecificRelativeDeduction, SmallEnterprise})
        d.fields[i] = QStringLiteral("888888");
    for (int i : {DependSpecific, DependElderlyLiving, DependElderlyOther, DependOther, SpecificRelativeCount, Under16,
                  DisabledSpecial, DisabledLivingTogether, DisabledOther, NonResident, HousingCount})
        d.fields[i] = QStringLiteral("8");
    for (int i : {SpousePresent, ElderlySpouse, Widow, SingleParent, WorkingStudent, Adjusted})
        d.fields[i] = QStringLiteral("1");
    d.fields[ResidenceStart1] = d.fields[ResidenceStart2] = QStringLiteral("20201231");
    d.fields[HousingKind1] = d.fields[HousingKind2] = QStringLiteral("住（特）");
    for (int i : {Tekiyo1, Tekiyo2, Tekiyo3})
        d.fields[i] = QStringLiteral("摘要欄の位置");
    d.fields[SpouseName] = QStringLiteral("配偶者　氏名");
    d.fields[SpouseKana] = QStringLiteral("ハイグウシャ　シメイ");
    d.fields[SpouseNumber] = QStringLiteral("888888888888");
    for (int first : {Dependants, Under16Dependants})
        for (int i = 0; i < 4; ++i) {
            d.fields[personName(first, i)] = QStringLiteral("扶養親族　氏名");
            d.fields[personKana(first, i)] = QStringLiteral("フヨウシンゾク　シメイ");
            d.fields[personNumber(first, i)] = QStringLiteral("888888888888");
        }
    d.fields[DependantsMore] = d.fields[Under16More] = QStringLiteral("5人目以降の欄");
    d.recipient = {QStringLiteral("88888"), QStringLiteral("受給者　氏名"), QStringLiteral("ジュキュウシャ　シメイ"),
                   QStringLiteral("888-8888"), QStringLiteral("住所１行目"), QStringLiteral("住所２行目"),
                   QStringLiteral("888888888888"), QStringLiteral("1"), QStringLiteral("1"), QString(),
                   QStringLiteral("20261231"), QStringLiteral("19881231")};
    d.payer = {QStringLiteral("888-8888"), QStringLiteral("支払者の名称"), QStringLiteral("支払者の住所"), QString(),
               QStringLiteral("88-8888-8888"), QStringLiteral("8888888888888")};
    return d;
}

} // namespace

int GensenLayout::mmToTwips(double mm)
{
    return int(std::lround(mm * 1440.0 / 25.4));
}

QString GensenLayout::yearCaption(int year)
{
    QString era;
    const QString n = eraYearText(year, &era);
    return era + n + QStringLiteral("年分");
}

void GensenLayout::PrintByPlainPaper(PrintCanvas& canvas, int copy, const GensenData& data)
{
    if (copy > 1)
        canvas.newPage();
    Pen p(canvas, kX0, kY0);
    Pen page(canvas, 0, 0);
    if (copy == Municipal1 || copy == Municipal2) {
        // print_Gensentitle12 / print_Gensenline12: the municipal statement, with
        // the year of the report (the year after the slip's).
        titleLine(p, data.year, QStringLiteral("給与支払報告書（個人別明細書）"), 13, QStringLiteral("市町村提出用"));
        print_Gensentitle_kyoutu(p);
        p.text(0, kBottom + 40, QStringLiteral("（摘要）に前職分の加算額、支払者等を記入してください。"));
        p.text(0, kBottom + 170, QStringLiteral("「支払者」の欄に社印・代表者印等の押印をしないでください。"));
        print_Gensenline_kyoutu(p);
        const EraDate era = eraDate(QStringLiteral("%1").arg(data.year, 4, 10, QLatin1Char('0')) + QStringLiteral("0101"));
        const int eraYear = era.year.toInt();
        const QString next = QString::number(eraYear + 1);
        page.text(620, 1046, era.era, 10);
        page.text(1020, eraYear >= 9 ? 886 : 956, next, 15, true);
        page.text(1020 + textWidth(next, 15) + 30, 1046, QStringLiteral("年度"), 10);
        return;
    }
    // print_Gensentitle3/4, print_Gensenline3/4: the withholding slip proper;
    // the tax office's copy has the 整理欄 beside the frame.
    const bool taxOffice = copy == TaxOffice;
    titleLine(p, data.year, QStringLiteral("給 与 所 得 の 源 泉 徴 収 票"), 14,
              taxOffice ? QStringLiteral("税務署提出用") : QStringLiteral("受給者交付用"));
    print_Gensentitle_kyoutu(p);
    print_Gensenline_kyoutu(p);
    if (taxOffice) {
        constexpr int x1 = W + 100, x2 = W + 1000;
        page.text(kX0 + x1 + 150, 1526, QStringLiteral("整 理 欄"), 7);
        p.rect(x1, kTop, x2, kAmountHead);
        p.hline(760, x1, x2);
        p.hline(1145, x1, x2);
        p.text(x1 + 30, 775, QStringLiteral("①"), kCaption);
        p.text(x1 + 30, 1160, QStringLiteral("②"), kCaption);
        p.rect(x1, kAmountHead, x2, kCountHead);
        p.text(x1 + 30, kAmountHead + 20, QStringLiteral("（備考）"), kCaption);
        page.text(kX0 + x1 + 150, 8166, QStringLiteral("3 7 5 - 1"), 8);
    }
}

void GensenLayout::print_gensen_data(PrintCanvas& canvas, int copy, const GensenData& data)
{
    Pen p(canvas, kX0, kY0);
    const bool numbers = copy != Recipient;
    print_gensen_title(p, data, numbers);
    values(p, data, numbers);
    p.font(kFontSize);
}

void GensenLayout::print_gensen_data_genshi(PrintCanvas& canvas, const GensenData& data, int dx, int dy)
{
    Pen p(canvas, kX0 + dx, kY0 + dy);
    // The form leaves the number of its "令和　年分" blank.
    QString era;
    p.text(1400 + textWidth(QStringLiteral("令和"), 11), 60, eraYearText(data.year, &era), 11);
    print_gensen_title(p, data, true);
    values(p, data, true);
    p.font(kFontSize);
}

void GensenLayout::printCalibration(PrintCanvas& canvas, int dx, int dy, const QString& printer, double mmX,
                                    double mmY)
{
    Pen p(canvas, kX0 + dx, kY0 + dy, true);
    const GensenData d = sampleData();
    print_gensen_title(p, d, true);
    values(p, d, true);
    Pen page(canvas, 0, 0);
    page.text(kX0, 10000, QStringLiteral("源泉徴収票（原紙）位置合わせ用テスト印刷"), 12, true);
    page.text(kX0, 10400,
              QStringLiteral("プリンタ：%1　　補正　横 %2 mm　縦 %3 mm")
                  .arg(printer, QString::number(mmX, 'f', 1), QString::number(mmY, 'f', 1)),
              9);
    page.text(kX0, 10700,
              QStringLiteral("この用紙を原紙に重ね、枠が各欄に収まるよう補正値（右・下へ＋）を調整して下さい。"), 9);
    page.font(kFontSize);
}

} // namespace minasel::reports
