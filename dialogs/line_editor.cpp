#include "dialogs/line_editor.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace velmo {
namespace {

// Block separators in QTextDocument::toRawText().
constexpr QChar kBlockSeparator = QChar::ParagraphSeparator;

// Colours each block by the owner's choice for its line number.
class LineColourHighlighter final : public QSyntaxHighlighter {
public:
    LineColourHighlighter(QTextDocument* document,
                          const std::function<std::optional<QColor>(int)>& colourOf)
        : QSyntaxHighlighter(document), colourOf_(colourOf) {}

protected:
    void highlightBlock(const QString& text) override {
        if (!colourOf_ || text.isEmpty())
            return;
        if (const std::optional<QColor> colour = colourOf_(currentBlock().blockNumber()))
            setFormat(0, static_cast<int>(text.size()), *colour);
    }

private:
    const std::function<std::optional<QColor>(int)>& colourOf_;
};

// Row and column of a position in raw text.
std::pair<int, int> rowColumnOf(const QString& text, int position) {
    int row = 0;
    int lineStart = 0;
    for (int i = 0; i < position; ++i) {
        if (text[i] == kBlockSeparator) {
            ++row;
            lineStart = i + 1;
        }
    }
    return {row, position - lineStart};
}

QString plainLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

bool isTokenBreak(QChar c) {
    return c.isSpace() || c == QChar(0x3000);
}

// How far the mouse moves before the link under it is looked up again.
constexpr int kPointerCheckX = 8;
constexpr int kPointerCheckY = 4;

}  // namespace

LineEditor::LineEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setUndoRedoEnabled(false);
    setAcceptDrops(false);
    highlighter_ = new LineColourHighlighter(document(), colourOf_);
    connect(document(), &QTextDocument::contentsChange, this, &LineEditor::onContentsChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &LineEditor::onCursorMoved);
    connect(this, &QPlainTextEdit::selectionChanged, this, [this] {
        anchor_ = textCursor().anchor();
        position_ = textCursor().position();
    });
    text_ = rawText();
    setTabWidth(tabWidth_);
}

LineEditor::~LineEditor() {
    // The highlighter reads colourOf_ and its removal reformats the document: both
    // must happen while this object is still whole.
    disconnect(document(), nullptr, this, nullptr);
    delete highlighter_;
}

QString LineEditor::rawText() const {
    return document()->toRawText();
}

int LineEditor::lineCount() const {
    return document()->blockCount();
}

QString LineEditor::line(int row) const {
    const QTextBlock block = document()->findBlockByNumber(row);
    return block.isValid() ? block.text() : QString();
}

QStringList LineEditor::lines() const {
    QStringList result;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        result << block.text();
    return result;
}

void LineEditor::setLines(const QStringList& lines) {
    restoring_ = true;
    QStringList plain;
    for (const QString& text : lines)
        plain << plainLineBreaks(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    setPlainText(plain.join(QLatin1Char('\n')));
    restoring_ = false;
    text_ = rawText();
    undo_.clear();
    redo_.clear();
    run_ = Run::None;
    anchor_ = textCursor().anchor();
    position_ = textCursor().position();
    setModified(false);
    refreshLineColours();
}

int LineEditor::caretRow() const {
    return textCursor().blockNumber();
}

int LineEditor::caretColumn() const {
    return textCursor().positionInBlock();
}

void LineEditor::setCaret(int row, int column) {
    const QTextBlock block =
        document()->findBlockByNumber(std::clamp(row, 0, std::max(lineCount() - 1, 0)));
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + std::clamp(column, 0, block.length() - 1));
    setTextCursor(cursor);
}

void LineEditor::setCaretOffset(int offset) {
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(offset, 0, document()->characterCount() - 1));
    setTextCursor(cursor);
}

std::optional<LineSelection> LineEditor::selectionRect() const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return std::nullopt;
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    return LineSelection{first.blockNumber(), last.blockNumber(),
                         cursor.selectionStart() - first.position(),
                         cursor.selectionEnd() - last.position()};
}

void LineEditor::clearSelection() {
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
}

bool LineEditor::isModified() const {
    return modified_;
}

void LineEditor::setModified(bool modified) {
    modified_ = modified;
    document()->setModified(modified);
}

LineEditor::Snapshot LineEditor::snapshot(const QString& text, int anchor, int position) const {
    return {text, anchor, position, modified_, tracker_ ? tracker_->saveLines() : std::any()};
}

void LineEditor::pushUndo(Snapshot state) {
    undo_.push_back(std::move(state));
    while (static_cast<int>(undo_.size()) > kUndoLimit)
        undo_.pop_front();
}

bool LineEditor::beginOwnerStep() {
    if (isReadOnly())
        return false;
    pushUndo(snapshot(text_, textCursor().anchor(), textCursor().position()));
    redo_.clear();
    run_ = Run::None;
    return true;
}

void LineEditor::undoStep() {
    if (!canUndo())
        return;
    redo_.push_back(snapshot(text_, textCursor().anchor(), textCursor().position()));
    Snapshot state = std::move(undo_.back());
    undo_.pop_back();
    restore(state);
}

void LineEditor::redoStep() {
    if (!canRedo())
        return;
    pushUndo(snapshot(text_, textCursor().anchor(), textCursor().position()));
    Snapshot state = std::move(redo_.back());
    redo_.pop_back();
    restore(state);
}

void LineEditor::restore(const Snapshot& state) {
    restoring_ = true;
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.insertText(plainLineBreaks(state.text));
    restoring_ = false;
    text_ = rawText();
    run_ = Run::None;

    const int last = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(state.anchor, 0, last));
    cursor.setPosition(std::clamp(state.position, 0, last), QTextCursor::KeepAnchor);
    if (tracker_ && state.lines.has_value())
        tracker_->restoreLines(state.lines);
    setModified(state.modified);
    emit textEdited();
    setTextCursor(cursor);
    anchor_ = cursor.anchor();
    position_ = cursor.position();
    refreshLineColours();
}

void LineEditor::onContentsChange(int position, int removed, int added) {
    Q_UNUSED(removed);
    Q_UNUSED(added);
    if (restoring_)
        return;
    const QString now = rawText();
    if (now == text_)
        return;  // formats only
    const QString& old = text_;

    // The smallest changed range; where equal characters make its place ambiguous
    // (a break typed beside another break), the caret or the reported position decides.
    const int shorter = static_cast<int>(std::min(old.size(), now.size()));
    int prefix = 0;
    while (prefix < shorter && old[prefix] == now[prefix])
        ++prefix;
    int fullSuffix = 0;
    while (fullSuffix < shorter &&
           old[old.size() - 1 - fullSuffix] == now[now.size() - 1 - fullSuffix]) {
        ++fullSuffix;
    }
    const int suffix = std::min(fullSuffix, shorter - prefix);
    const int removedLength = static_cast<int>(old.size()) - prefix - suffix;
    const int addedLength = static_cast<int>(now.size()) - prefix - suffix;
    const int lowest = std::max(0, prefix - (fullSuffix - suffix));
    const int byCaret = textCursor().position() - addedLength;
    int start = prefix;
    if (byCaret >= lowest && byCaret <= prefix) {
        start = byCaret;
    } else if (position >= lowest && position <= prefix) {
        start = position;
    }

    LineEdit edit;
    std::tie(edit.startRow, edit.startCol) = rowColumnOf(old, start);
    std::tie(edit.endRow, edit.endCol) = rowColumnOf(old, start + removedLength);
    edit.insertedBreaks = static_cast<int>(now.mid(start, addedLength).count(kBlockSeparator));
    edit.forwardDelete = forwardDeleteKey_;

    // One undo step per change, except that typing, overwriting or deleting on in one
    // line continues the step before it.
    Run kind = Run::None;
    if (edit.startRow == edit.endRow && edit.insertedBreaks == 0) {
        if (overwriteKey_) {
            kind = Run::Overwriting;
        } else if (removedLength == 0) {
            kind = Run::Typing;
        } else if (addedLength == 0) {
            kind = forwardDeleteKey_ ? Run::DeletingForward : Run::DeletingBack;
        }
    }
    const bool continues =
        kind != Run::None && kind == run_ &&
        (kind == Run::DeletingBack ? start + removedLength == runEnd_ : start == runEnd_);
    if (!continues) {
        pushUndo(snapshot(old, anchor_, position_));
        redo_.clear();
    }
    run_ = kind;
    runEnd_ = kind == Run::Typing || kind == Run::Overwriting ? start + addedLength : start;

    text_ = now;
    const bool linesChanged = edit.startRow != edit.endRow || edit.insertedBreaks > 0;
    if (tracker_)
        tracker_->linesEdited(edit);
    setModified(true);
    anchor_ = textCursor().anchor();
    position_ = textCursor().position();
    emit textEdited();
    if (linesChanged)
        refreshLineColours();
}

void LineEditor::onCursorMoved() {
    anchor_ = textCursor().anchor();
    position_ = textCursor().position();
    if (position_ != runEnd_ || anchor_ != position_)
        run_ = Run::None;
    emit caretMoved();
}

int LineEditor::visibleRows() const {
    return std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
}

int LineEditor::visibleColumns() const {
    return std::max(
        1, viewport()->width() / std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0'))));
}

int LineEditor::topRow() const {
    return firstVisibleBlock().blockNumber();
}

void LineEditor::setTopRow(int row) {
    verticalScrollBar()->setValue(row);
}

void LineEditor::setTabWidth(int characters) {
    tabWidth_ = std::max(1, characters);
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * tabWidth_);
}

void LineEditor::setLineColours(std::function<std::optional<QColor>(int)> colourOf) {
    colourOf_ = std::move(colourOf);
    refreshLineColours();
}

void LineEditor::refreshLineColours() {
    // Later, so a change being reported is finished before lines are formatted again.
    QTimer::singleShot(0, highlighter_, [h = highlighter_] { h->rehighlight(); });
}

TokenKind LineEditor::tokenKindAt(int row, int column) const {
    const QString text = line(row);
    int begin = std::clamp(column, 0, static_cast<int>(text.size()));
    if (begin == text.size() || (begin > 0 && isTokenBreak(text[begin])))
        --begin;
    if (begin < 0 || isTokenBreak(text[begin]))
        return TokenKind::Other;
    while (begin > 0 && !isTokenBreak(text[begin - 1]))
        --begin;
    const QString token = text.mid(begin);
    for (const char* prefix : {"http:", "https:", "ftp:", "www."}) {
        if (token.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            return TokenKind::Url;
    }
    if (token.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return TokenKind::FileLink;
    return TokenKind::Other;
}

QTextCursor LineEditor::tokenCursorAt(int row, int column) const {
    const QTextBlock block = document()->findBlockByNumber(row);
    if (!block.isValid())
        return {};
    const QString text = block.text();
    QTextCursor cursor(block);
    if (tokenKindAt(row, column) == TokenKind::Other) {
        cursor.setPosition(block.position() + std::clamp(column, 0, int(text.size())));
        cursor.select(QTextCursor::WordUnderCursor);
    } else {
        int begin = std::clamp(column, 0, static_cast<int>(text.size()) - 1);
        if (isTokenBreak(text[begin]))
            --begin;
        int end = begin;
        while (begin > 0 && !isTokenBreak(text[begin - 1]))
            --begin;
        while (end < text.size() && !isTokenBreak(text[end]))
            ++end;
        cursor.setPosition(block.position() + begin);
        cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    }
    return cursor;
}

void LineEditor::selectTokenAt(int row, int column) {
    const QTextCursor cursor = tokenCursorAt(row, column);
    if (!cursor.isNull())
        setTextCursor(cursor);
}

std::optional<QString> LineEditor::linkAt(int row, int column) const {
    if (tokenKindAt(row, column) == TokenKind::Other)
        return std::nullopt;
    return tokenCursorAt(row, column).selectedText();
}

QString LineEditor::wordAtCaret() const {
    return tokenCursorAt(caretRow(), caretColumn()).selectedText();
}

void LineEditor::setActivatesLinks(bool on) {
    activatesLinks_ = on;
    viewport()->setMouseTracking(on);
    pointerCheckedAt_.reset();
    if (!on)
        viewport()->setCursor(Qt::IBeamCursor);
}

void LineEditor::setOverwriting(bool on) {
    if (on == overwriteMode())
        return;
    setOverwriteMode(on);
    emit overwriteChanged(on);
}

bool LineEditor::find(const QString& needle, const FindOptions& options) {
    const QTextCursor caret = textCursor();
    const int from = options.forward ? caret.selectionEnd() : caret.selectionStart();
    const std::optional<TextMatch> match = findInText(text_, needle, from, options);
    if (!match)
        return false;
    QTextCursor cursor(document());
    cursor.setPosition(match->start);
    cursor.setPosition(match->start + match->length, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

void LineEditor::keyPressEvent(QKeyEvent* event) {
    if (handleEditorKey(event))
        return;
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    forwardDeleteKey_ = event->key() == Qt::Key_Delete && !(mods & Qt::ShiftModifier) &&
                        !textCursor().hasSelection();
    QPlainTextEdit::keyPressEvent(event);
    forwardDeleteKey_ = false;
}

// The keys this editor answers itself; false for those left to QPlainTextEdit.
bool LineEditor::handleEditorKey(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event == QKeySequence::Undo) {
        undoStep();
    } else if (event == QKeySequence::Redo ||
               (key == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::AltModifier))) {
        redoStep();
    } else if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        setOverwriting(!overwriting());
    } else if (key == Qt::Key_Insert && mods == Qt::ControlModifier) {
        // Copy, and leave the caret at the end of what was selected.
        copy();
        QTextCursor cursor = textCursor();
        cursor.setPosition(cursor.selectionEnd());
        setTextCursor(cursor);
    } else if (key == Qt::Key_Insert && mods == Qt::ShiftModifier) {
        paste();
    } else if (key == Qt::Key_Delete && mods == Qt::ShiftModifier) {
        cut();
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::ShiftModifier) {
        // A soft line break would hide a line inside a line: always a real one.
        if (!isReadOnly()) {
            QTextCursor cursor = textCursor();
            cursor.insertText(QStringLiteral("\n"));
            setTextCursor(cursor);
            ensureCursorVisible();
        }
    } else {
        return overwriteTyped(event);
    }
    return true;
}

// QPlainTextEdit overwrites with a deletion and an insertion of their own, which would be
// reported as two changes and two undo steps; here both are one change.
bool LineEditor::overwriteTyped(QKeyEvent* event) {
    const QString typed = event->text();
    if (!overwriting() || isReadOnly() || typed.isEmpty() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) ||
        !(typed.front().isPrint() || typed.front() == QLatin1Char('\t'))) {
        return false;
    }
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() || cursor.atBlockEnd())
        return false;  // nothing to overwrite: ordinary typing
    overwriteKey_ = true;
    cursor.beginEditBlock();
    cursor.deleteChar();
    cursor.insertText(typed);
    cursor.endEditBlock();
    overwriteKey_ = false;
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

void LineEditor::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    emit focusEntered();
}

void LineEditor::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    emit mouseReleased();
}

void LineEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    const QTextCursor at = cursorForPosition(event->position().toPoint());
    if (activatesLinks_ && event->button() == Qt::LeftButton) {
        if (const std::optional<QString> link = linkAt(at.blockNumber(), at.positionInBlock())) {
            event->accept();
            emit linkActivated(*link);
            return;
        }
    }
    QPlainTextEdit::mouseDoubleClickEvent(event);
    selectTokenAt(at.blockNumber(), at.positionInBlock());
    emit doubleClicked();
}

void LineEditor::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    if (activatesLinks_)
        updatePointer(event->position().toPoint());
}

void LineEditor::updatePointer(QPoint at) {
    if (pointerCheckedAt_ && std::abs(at.x() - pointerCheckedAt_->x()) < kPointerCheckX &&
        std::abs(at.y() - pointerCheckedAt_->y()) < kPointerCheckY) {
        return;
    }
    pointerCheckedAt_ = at;
    const QTextCursor under = cursorForPosition(at);
    const bool overLink = linkAt(under.blockNumber(), under.positionInBlock()).has_value();
    viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void LineEditor::wheelEvent(QWheelEvent* event) {
    // One line per notch.
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - notches);
    event->accept();
}

bool LineEditor::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void LineEditor::insertFromMimeData(const QMimeData* source) {
    // QPlainTextEdit::paste() does not ask whether the text may change.
    if (!source->hasText() || isReadOnly())
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(plainLineBreaks(source->text()));
    setTextCursor(cursor);
    ensureCursorVisible();
}

}  // namespace velmo
