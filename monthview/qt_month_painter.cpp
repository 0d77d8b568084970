#include "monthview/qt_month_painter.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <exception>

#include "monthview/cell_text.h"
#include "platform/dialog_fonts.h"

namespace velmo {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect qRect(const Rect& r) {
    return QRect(r.left, r.top, std::max(0, r.width()), std::max(0, r.height()));
}

// A cell line one pixel wide, drawn as a filled rectangle so it scales with the pixel ratio.
void gridLines(QPainter& painter, const Rect& cell, const GridLines& lines, const QColor& colour) {
    if (lines.right)
        painter.fillRect(QRect(cell.right - 1, cell.top, 1, cell.height() - 1), colour);
    if (lines.bottom)
        painter.fillRect(QRect(cell.left, cell.bottom - 1, cell.width() - 1, 1), colour);
}

// A text is drawn at most this many characters past what a rectangle of the given width
// could show, so a huge damaged line costs no more than a short one.
std::size_t characterBudget(int width) {
    return static_cast<std::size_t>(std::max(width, 0)) + 1;
}

}  // namespace

QColor qColorOf(Colour resolved) {
    return QColor(static_cast<int>(resolved & 0xFFu), static_cast<int>((resolved >> 8) & 0xFFu),
                  static_cast<int>((resolved >> 16) & 0xFFu));
}

Colour paletteColour(const QPalette& palette, Colour colour) {
    if (!isSystemColour(colour))
        return colour;
    QColor c;
    switch (systemColourIndex(colour)) {
        case 0:   // scroll bar
        case 15:  // button face
            c = palette.color(QPalette::Button);
            break;
        case 1:   // desktop
        case 4:   // menu
        case 10:  // active border
        case 11:  // inactive border
            c = palette.color(QPalette::Window);
            break;
        case 2:   // active caption
        case 13:  // highlight
            c = palette.color(QPalette::Highlight);
            break;
        case 5:  // window
            c = palette.color(QPalette::Base);
            break;
        case 6:   // window frame
        case 21:  // dark 3D shadow
            c = palette.color(QPalette::Shadow);
            break;
        case 7:  // menu text
            c = palette.color(QPalette::WindowText);
            break;
        case 8:  // window text
            c = palette.color(QPalette::Text);
            break;
        case 9:   // caption text
        case 14:  // highlight text
            c = palette.color(QPalette::HighlightedText);
            break;
        case 3:   // inactive caption
        case 12:  // application workspace
            c = palette.color(QPalette::Mid);
            break;
        case 16:  // button shadow
            c = palette.color(QPalette::Dark);
            break;
        case 17:  // grey text
        case 19:  // inactive caption text
            c = palette.color(QPalette::Disabled, QPalette::Text);
            break;
        case 18:  // button text
            c = palette.color(QPalette::ButtonText);
            break;
        case 20:  // button highlight
            c = palette.color(QPalette::Light);
            break;
        case 22:  // 3D light
            c = palette.color(QPalette::Midlight);
            break;
        case 23:  // tooltip text
            c = palette.color(QPalette::ToolTipText);
            break;
        case 24:  // tooltip background
            c = palette.color(QPalette::ToolTipBase);
            break;
        case 26:  // hot-tracked item
            c = palette.color(QPalette::Link);
            break;
        default:
            return classicSystemColour(colour);
    }
    return static_cast<Colour>(c.red()) | static_cast<Colour>(c.green()) << 8 |
           static_cast<Colour>(c.blue()) << 16;
}

std::string limitCharacters(std::string_view text, std::size_t maxCharacters) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Every character begins with a byte that is not a continuation byte.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == maxCharacters)
                return std::string(text.substr(0, i));
            ++count;
        }
    }
    return std::string(text);
}

QImage MonthPainter::makeImage(Size size, qreal devicePixelRatio) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image(qRound(std::max(size.width, 1) * ratio), qRound(std::max(size.height, 1) * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

const QString& MonthPainter::family(const std::string& face) {
    auto it = families_.find(face);
    if (it == families_.end())
        it = families_.emplace(face, mappedFontFamily(qs(face))).first;
    return it->second;
}

const MonthPainter::FontEntry& MonthPainter::font(const std::string& face, int pixelSize, bool bold,
                                                  bool strikeOut) {
    pixelSize = std::max(pixelSize, 1);
    for (const auto& entry : fonts_) {
        if (entry->pixelSize == pixelSize && entry->bold == bold && entry->strikeOut == strikeOut &&
            entry->face == face) {
            return *entry;
        }
    }
    QFont f = mappedFont(qs(face), pixelSize);
    f.setFamily(family(face));
    f.setBold(bold);
    f.setStrikeOut(strikeOut);
    const QFontMetrics metrics(f);
    // The em box is split between ascent and descent in the font's own proportion.
    const int total = std::max(metrics.ascent() + metrics.descent(), 1);
    const int baseline = (pixelSize * metrics.ascent() + total / 2) / total;
    fonts_.push_back(std::unique_ptr<FontEntry>(
        new FontEntry{face, pixelSize, bold, strikeOut, f, metrics, baseline}));
    return *fonts_.back();
}

int MonthPainter::width(const FontEntry& font, std::string_view text) const {
    return font.metrics.horizontalAdvance(qs(text));
}

void MonthPainter::drawText(QPainter& painter, const FontEntry& font, const QString& text, int left,
                            int top, const QColor& colour, const Rect* clip) const {
    if (text.isEmpty())
        return;
    if (clip) {
        if (clip->width() <= 0 || clip->height() <= 0)
            return;
        painter.setClipRect(qRect(*clip));
    }
    painter.setFont(font.font);
    painter.setPen(colour);
    painter.drawText(QPoint(left, top + font.baseline), text);
    if (clip)
        painter.setClipping(false);
}

void MonthPainter::paint(const TKvMCalModel& model, QImage& image) {
    image.fill(qColorOf(model.resolveColour(model.color())));
    QPainter painter(&image);
    for (int column = 0; column < kColumnCount; ++column) {
        try {
            paintHeader(painter, model, column);
        } catch (const std::exception&) {
            painter.setClipping(false);
        }
    }

    const int weekRows = model.rowCount() - 1;
    const MemoAreaView memo = memoAreaView(model);
    for (int cell = 0; cell < kCellCount; ++cell) {
        const int row = cell / kColumnCount + 1;
        if (row > weekRows)
            break;
        if (memo.shown && row == weekRows && cell % kColumnCount >= kMemoFirstColumn)
            continue;
        try {
            paintDayCell(painter, model, cell);
        } catch (const std::exception&) {
            // A day beyond the calendar's range or a damaged rule: the cell stays as it is.
            painter.setClipping(false);
        }
    }
    if (memo.shown) {
        try {
            paintMemoArea(painter, model, memo);
        } catch (const std::exception&) {
            painter.setClipping(false);
        }
    }
}

void MonthPainter::paintHeader(QPainter& painter, const TKvMCalModel& model, int column) {
    const HeaderCellView view = headerCellView(model, column);
    painter.fillRect(qRect(view.fillRect), qColorOf(model.resolveColour(view.fill)));
    const FontEntry& f = font(view.face, view.fontHeight);
    const QString text = qs(view.text);
    const int left = view.rect.left + (view.rect.width() - f.metrics.horizontalAdvance(text)) / 2;
    const int top = view.rect.top + (view.rect.height() - f.pixelSize) / 2;
    drawText(painter, f, text, left, top, qColorOf(model.resolveColour(view.textColour)), nullptr);
    gridLines(painter, view.rect, view.grid, qColorOf(model.resolveColour(kHeaderGridColour)));
}

void MonthPainter::paintDayCell(QPainter& painter, const TKvMCalModel& model, int cellIndex) {
    const DayCellView view = dayCellView(model, cellIndex);
    if (view.fill)
        painter.fillRect(qRect(view.rect), qColorOf(model.resolveColour(*view.fill)));
    if (!view.drawContent)
        return;
    const KvMCalProperties& p = model.properties();

    const FontEntry& numberFont = font(view.font.face, view.numberFontHeight, view.numberBold);
    const DayNumberPlacement place =
        placeDayNumber(p, view.rect, numberFont.pixelSize, width(numberFont, "25"),
                       width(numberFont, view.numberText), model.state().ExtendNames);
    drawText(painter, numberFont, qs(view.numberText), place.numberRect.left, place.numberRect.top,
             qColorOf(model.resolveColour(view.numberColour)), &place.numberRect);

    // Rokuyo and names run one after another from the name position.
    const FontEntry& nameFont = font(view.font.face, view.nameFontHeight);
    const int nameTop = nameTextTop(p, view.rect, nameFont.pixelSize, view.neighbour);
    int x = place.nameLeft;
    auto drawName = [&](const std::string& text, Colour colour) {
        if (x >= place.nameRight)
            return;
        const QString shown = qs(limitCharacters(text, characterBudget(place.nameRight - x)));
        const Rect clip{x, nameTop, place.nameRight, place.nameBottom};
        drawText(painter, nameFont, shown, x, nameTop, qColorOf(model.resolveColour(colour)),
                 &clip);
        x += nameFont.metrics.horizontalAdvance(shown);
    };
    if (!view.rokuyoText.empty())
        drawName(view.rokuyoText, view.rokuyoColour);
    for (const NamePiece& piece : view.names)
        drawName(piece.text, piece.colour);

    for (int slot = 0; slot < p.ItemGyo; ++slot) {
        try {
            switch (model.cellSlot(cellIndex, slot).kind) {
                case SlotKind::DayLine:
                    if (const auto line = dayLineView(model, cellIndex, slot))
                        paintDayLine(painter, model, *line);
                    break;
                case SlotKind::Period:
                    if (const auto bar = periodBarView(model, cellIndex, slot))
                        paintPeriodBar(painter, model, *bar);
                    break;
                case SlotKind::Free:
                    break;
            }
        } catch (const std::exception&) {
            // A damaged line: the other line positions are still drawn.
            painter.setClipping(false);
        }
    }

    gridLines(painter, view.rect, view.grid, qColorOf(model.resolveColour(kDayGridColour)));
}

void MonthPainter::paintDayLine(QPainter& painter, const TKvMCalModel& model,
                                const DayLineView& line) {
    const FontEntry& f = font(line.face, line.fontHeight, line.bold, line.strikeOut);
    const QColor colour = qColorOf(model.resolveColour(line.colour));
    std::string text = limitCharacters(line.text, characterBudget(line.rect.width()));
    if (line.overflow) {
        const int limit = line.rect.width() - width(f, " /");
        text = shortenToWidth(text, limit, [&](std::string_view t) { return width(f, t); });
        drawText(painter, f, qs(text), line.rect.left, line.rect.top, colour, &line.rect);
        const QString mark = QStringLiteral("/");
        drawText(painter, f, mark, line.markRight - f.metrics.horizontalAdvance(mark), line.markTop,
                 colour, nullptr);
        return;
    }
    drawText(painter, f, qs(text), line.rect.left, line.rect.top, colour, &line.rect);
}

void MonthPainter::paintPeriodBar(QPainter& painter, const TKvMCalModel& model,
                                  const PeriodBarView& bar) {
    const QColor colour = qColorOf(model.resolveColour(bar.colour));
    // A pen thinner than one pixel would vanish; a thicker one than three is not offered.
    const int penWidth = std::clamp(bar.penWidth, 1, 3);
    const Segment& line = bar.shape.line;
    const int from = std::min(line.x0, line.x1);
    const int to = std::max(line.x0, line.x1);
    painter.fillRect(QRect(from, line.y0 - penWidth / 2, to - from, penWidth), colour);
    if (bar.shape.stroke) {
        const Segment& s = *bar.shape.stroke;
        painter.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(s.x0, s.y0, s.x1, s.y1);
    }
    if (!bar.shape.drawTitle)
        return;
    const KvMCalProperties& p = model.properties();
    const FontEntry& f = font(model.fonts().font(cfDayOfWeek).face, p.LenFontYoteiH);
    const QString title =
        qs(limitCharacters(bar.shape.title, characterBudget(bar.shape.titleRight + 1)));
    const int titleWidth = f.metrics.horizontalAdvance(title);
    const int left = bar.shape.titleRight - titleWidth;
    painter.fillRect(QRect(left, bar.shape.textTop, titleWidth, f.pixelSize),
                     qColorOf(model.resolveColour(bar.titleBackground)));
    drawText(painter, f, title, left, bar.shape.textTop, colour, nullptr);
}

void MonthPainter::paintMemoArea(QPainter& painter, const TKvMCalModel& model,
                                 const MemoAreaView& memo) {
    painter.fillRect(qRect(memo.rect), qColorOf(model.resolveColour(memo.fill)));
    const FontEntry& f = font(model.fonts().font(cfDayOfWeek).face, memo.fontHeight);
    const QColor colour = qColorOf(model.resolveColour(memo.textColour));
    const std::size_t budget = characterBudget(memo.rect.right - memo.left);
    for (const MemoAreaView::Line& line : memo.lines) {
        drawText(painter, f, qs(limitCharacters(line.text, budget)), memo.left, line.top, colour,
                 &memo.rect);
    }
}

void drawImageArea(QPainter& painter, const QImage& image, const QRect& area) {
    const qreal ratio = image.devicePixelRatio();
    painter.drawImage(
        area, image,
        QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
}

}  // namespace velmo
