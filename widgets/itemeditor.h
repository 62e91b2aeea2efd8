#pragma once

#include <QPlainTextEdit>
#include <functional>

// In-place editor of an item's text lines: leaving it or Ctrl+Return keeps the text, Escape
// drops it. It deletes itself when done.
class TItemEditor : public QPlainTextEdit {
  Q_OBJECT
 public:
  TItemEditor(QWidget* Parent, const QStringList& Text,
              std::function<void(const QStringList&)> Commit);

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

 private:
  void Finish(bool Keep);

  std::function<void(const QStringList&)> FCommit;
  bool FDone = false;
};
