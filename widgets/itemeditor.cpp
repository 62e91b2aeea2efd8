#include "widgets/itemeditor.h"

#include <QKeyEvent>

TItemEditor::TItemEditor(QWidget* Parent, const QStringList& Text,
                         std::function<void(const QStringList&)> Commit)
    : QPlainTextEdit(Parent), FCommit(std::move(Commit)) {
  setObjectName("ItemEditor");
  setPlainText(Text.join('\n'));
}

void TItemEditor::keyPressEvent(QKeyEvent* Event) {
  if (Event->key() == Qt::Key_Escape) return Finish(false);
  bool Enter = Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter;
  if (Enter && Event->modifiers().testFlag(Qt::ControlModifier)) return Finish(true);
  QPlainTextEdit::keyPressEvent(Event);
}

void TItemEditor::focusOutEvent(QFocusEvent* Event) {
  QPlainTextEdit::focusOutEvent(Event);
  Finish(true);
}

void TItemEditor::Finish(bool Keep) {
  if (FDone) return;
  FDone = true;
  if (Keep && FCommit) FCommit(toPlainText().split('\n'));
  hide();
  deleteLater();
}
