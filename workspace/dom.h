#pragma once

#include <QList>
#include <QString>
#include <optional>

// The workspace's view of a web page: element snapshots read in one go and places in the
// document named by lookups (by name, by form index, by element index). Places become
// JavaScript expressions built only from quoted literals and numbers, so no text of a page
// or of the workspace can turn into script.

// One element as read from the page.
struct TDomElement {
  QString Name;
  QString Value;
  QString TagName;
  QString InnerText;
  bool Disabled = false;
};

// A place in the document, resolved when the script runs; a place that does not exist there
// makes the write to it do nothing.
class TDomRef {
 public:
  // The Index-th element named Name (document order).
  static TDomRef ElementByName(const QString& Name, int Index);
  // The Index-th form of the document.
  static TDomRef Form(int Index);
  // The last FORM element of the document.
  static TDomRef LastForm();
  // Element Index of this form.
  TDomRef Element(int Index) const;

  const QString& Expression() const { return FExpression; }

 private:
  explicit TDomRef(QString Expression) : FExpression(std::move(Expression)) {}
  QString FExpression;
};

// Changes to a page, run in their order by one script; a submission ends what follows it on
// that page, so it goes last.
class TDomBatch {
 public:
  void SetValue(const TDomRef& Ref, const QString& Value);
  void SetName(const TDomRef& Ref, const QString& Name);
  void SetInnerText(const TDomRef& Ref, const QString& Text);
  void SetDisabled(const TDomRef& Ref, bool Disabled);
  void SetChecked(const TDomRef& Ref, bool Checked);
  void Submit(const TDomRef& Ref);

  bool IsEmpty() const { return FStatements.isEmpty(); }
  // The whole batch as one script; each statement is skipped when its place is missing.
  QString Script() const;
  // The statements in order, for whoever checks what a batch would do.
  const QStringList& Statements() const { return FStatements; }

 private:
  void Add(const TDomRef& Ref, const QString& Action);
  QStringList FStatements;
};

// A text as a JavaScript string literal.
QString JsLiteral(const QString& Text);
// Element snapshots from the JSON text the reading scripts answer; nothing for null or junk.
std::optional<QList<TDomElement>> ParseElements(const QString& Json);
