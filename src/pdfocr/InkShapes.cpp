// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InkShapes.h"

#include "scan/CvImage.h"

#include <QLoggingCategory>
#include <QRegularExpression>

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace {
Q_LOGGING_CATEGORY(lcInkShapes, "quire.inkshapes")

// Of a line's height (about nine tenths of an em): a hyphen is a third of an em, or nearly half
// in a typewriter face; an em dash is a whole em (six tenths in a typewriter face). An en dash,
// half an em, seldom joins two letters.
constexpr double kLongestHyphen = 0.55;

using InkShapes::Ink;

// The marks inside box.
QList<Ink> within(const QList<Ink>& marks, const QRect& box)
{
    const QRect around = box.adjusted(-2, -2, 2, 2);
    QList<Ink> in;
    for (const Ink& ink : marks)
        if (around.contains(ink.box))
            in << ink;
    return in;
}

// Height of the line's baseline at x.
double baselineAt(const PageText::Line& line, int x)
{
    const QLineF& b = line.baseline;
    return b.dx() == 0 ? b.y1() : b.y1() + (x - b.x1()) * b.dy() / b.dx();
}

// The dashes of word turned hyphens when the bars under them are all a hyphen's length.
void mendDashes(const PageText::Line& line, PageText::Word& word, const QList<Ink>& marks,
                int lineHeight)
{
    // A run of dashes that is not a lone hyphen; the models read one hyphen as "-—" at times.
    static const QRegularExpression dashes(
        QStringLiteral("(?<=\\pL)(?:[-\u2013\u2014]{2,}|[\u2013\u2014])(?=\\pL)"),
        QRegularExpression::UseUnicodePropertiesOption);
    if (!dashes.match(word.text).hasMatch())
        return;
    QList<Ink> bars;
    for (const Ink& ink : within(marks, word.box)) {
        const double above = baselineAt(line, ink.box.center().x()) - ink.box.center().y();
        if (ink.box.width() >= 2 * ink.box.height() && ink.box.height() <= lineHeight / 6 &&
            above > 0.1 * lineHeight && above < 0.45 * lineHeight)
            bars << ink;
    }
    QString text = word.text;
    qsizetype count = 0;
    for (auto it = dashes.globalMatch(word.text); it.hasNext(); it.next())
        ++count;
    const bool hyphens = std::ranges::all_of(
        bars, [&](const Ink& b) { return b.box.width() < kLongestHyphen * lineHeight; });
    qCDebug(lcInkShapes) << word.text << "bars" << bars.size() << "runs" << count
                         << (bars.isEmpty() ? 0 : bars.front().box.width()) << lineHeight;
    if (bars.size() == count && hyphens)
        word.text = text.replace(dashes, QStringLiteral("-"));
}
} // namespace

namespace InkShapes {

QList<Ink> marks(const QImage& grey)
{
    cv::Mat bin, labels, stats, centroids;
    cv::threshold(CvImage::view(grey), bin, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    const int n = cv::connectedComponentsWithStats(bin, labels, stats, centroids, 8);
    QList<Ink> out;
    out.reserve(n);
    for (int i = 1; i < n; ++i)
        out << Ink{QRect(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                         stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT)),
                   stats.at<int>(i, cv::CC_STAT_AREA)};
    return out;
}

bool isBullet(const Ink& ink, int lineHeight)
{
    const QRect& b = ink.box;
    const double aspect = double(b.width()) / b.height();
    return b.height() >= lineHeight / 5 && b.height() <= lineHeight * 3 / 5 && aspect > 0.7 &&
           aspect < 1.4 && ink.area >= 0.7 * b.width() * b.height();
}

void mend(PageText& page, const QList<Ink>& marks)
{
    const int lineHeight = page.lineHeight();
    for (PageText::Line& line : page.lines) {
        PageText::Word& first = line.words.front();
        if (first.text.size() == 1) { // often read as "*", "-" or "e"
            const QList<Ink> in = within(marks, first.box);
            if (in.size() == 1 && isBullet(in.front(), lineHeight))
                first.text = QStringLiteral("\u2022");
        }
        for (PageText::Word& word : line.words)
            mendDashes(line, word, marks, lineHeight);
    }
}

} // namespace InkShapes
