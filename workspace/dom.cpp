#include "workspace/dom.h"

#include <QJsonArray>
#include <QJsonDocument>

TDomRef TDomRef::ElementByName(const QString& Name, int Index) {
  return TDomRef(
      QStringLiteral("document.getElementsByName(%1)[%2]").arg(JsLiteral(Name)).arg(Index));
}

TDomRef TDomRef::Form(int Index) {
  return TDomRef(QStringLiteral("document.forms[%1]").arg(Index));
}

TDomRef TDomRef::LastForm() {
  return TDomRef(QStringLiteral(
      "(function(){var f=document.getElementsByTagName('FORM');return f[f.length-1];})()"));
}

TDomRef TDomRef::Element(int Index) const {
  return TDomRef(
      QStringLiteral("(function(){var f=%1;return f&&f.elements?f.elements[%2]:null;})()")
          .arg(FExpression)
          .arg(Index));
}

void TDomBatch::Add(const TDomRef& Ref, const QString& Action) {
  FStatements
      << QStringLiteral("(function(){var e=%1;if(e){%2}})();").arg(Ref.Expression(), Action);
}

void TDomBatch::SetValue(const TDomRef& Ref, const QString& Value) {
  Add(Ref, QStringLiteral("e.value=%1;").arg(JsLiteral(Value)));
}

void TDomBatch::SetName(const TDomRef& Ref, const QString& Name) {
  Add(Ref, QStringLiteral("e.setAttribute('name',%1);").arg(JsLiteral(Name)));
}

void TDomBatch::SetInnerText(const TDomRef& Ref, const QString& Text) {
  Add(Ref, QStringLiteral("e.innerText=%1;").arg(JsLiteral(Text)));
}

void TDomBatch::SetDisabled(const TDomRef& Ref, bool Disabled) {
  Add(Ref, QStringLiteral("e.disabled=%1;").arg(Disabled ? "true" : "false"));
}

void TDomBatch::SetChecked(const TDomRef& Ref, bool Checked) {
  Add(Ref, QStringLiteral("e.checked=%1;").arg(Checked ? "true" : "false"));
}

void TDomBatch::Submit(const TDomRef& Ref) {
  // HTMLFormElement.submit skips the submit event, as a scripted submission should.
  Add(Ref, QStringLiteral("HTMLFormElement.prototype.submit.call(e);"));
}

QString TDomBatch::Script() const { return FStatements.join(QString()); }

QString JsLiteral(const QString& Text) {
  const QByteArray Array = QJsonDocument(QJsonArray{Text}).toJson(QJsonDocument::Compact);
  // "[...]" around the one string: the string literal is what lies between.
  QString Literal = QString::fromUtf8(Array.mid(1, Array.size() - 2));
  // JSON allows these two line separators inside strings, older script engines do not.
  Literal.replace(QChar(0x2028), QStringLiteral("\\u2028"));
  Literal.replace(QChar(0x2029), QStringLiteral("\\u2029"));
  return Literal;
}

std::optional<QList<TDomElement>> ParseElements(const QString& Json) {
  const QJsonDocument Document = QJsonDocument::fromJson(Json.toUtf8());
  if (!Document.isArray()) return std::nullopt;
  QList<TDomElement> Elements;
  for (const QJsonValue& Row : Document.array()) {
    const QJsonArray Fields = Row.toArray();
    Elements << TDomElement{Fields.at(0).toString(), Fields.at(1).toString(),
                            Fields.at(2).toString(), Fields.at(3).toString(),
                            Fields.at(4).toBool()};
  }
  return Elements;
}
