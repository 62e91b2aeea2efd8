#include "workspace/webdocument.h"

#include <QWebEnginePage>

namespace {

// Answers a JSON array of [name, value, tag, inner text, disabled] per element of the list
// the expression yields, or null when it yields nothing.
QString ReadElementsScript(const QString& ListExpression) {
  return QStringLiteral(
             "(function(){var l=%1;if(!l)return null;var r=[];"
             "for(var i=0;i<l.length;i++){var e=l[i];"
             "var n=e.getAttribute?e.getAttribute('name'):null;"
             "r.push([n===null?'':String(n),e.value===undefined||e.value===null?'':String(e.value),"
             "e.tagName?String(e.tagName).toUpperCase():'',"
             "e.innerText===undefined?'':String(e.innerText),!!e.disabled]);}"
             "return JSON.stringify(r);})()")
      .arg(ListExpression);
}

}  // namespace

TWebDocument::TWebDocument(QWebEnginePage* Page) : QObject(Page), FPage(Page) {}

void TWebDocument::Evaluate(const QString& Script, std::function<void(const QString&)> Done) {
  if (!FPage || FDetached) return;
  QPointer<TWebDocument> Self(this);
  FPage->runJavaScript(Script, [Self, Done = std::move(Done)](const QVariant& Result) {
    if (Self && Self->FPage && !Self->FDetached && Done) Done(Result.toString());
  });
}

void TWebDocument::BodyHtml(std::function<void(const QString&)> Done) {
  Evaluate(QStringLiteral("document.body?document.body.innerHTML:''"), std::move(Done));
}

void TWebDocument::ReadFormElements(
    const TDomRef& Form, std::function<void(const std::optional<QList<TDomElement>>&)> Done) {
  const QString List =
      QStringLiteral("(function(){var f=%1;return f&&f.elements?f.elements:null;})()")
          .arg(Form.Expression());
  Evaluate(ReadElementsScript(List),
           [Done = std::move(Done)](const QString& Json) { Done(ParseElements(Json)); });
}

void TWebDocument::ReadAllElements(std::function<void(const QList<TDomElement>&)> Done) {
  Evaluate(ReadElementsScript(QStringLiteral("document.getElementsByTagName('*')")),
           [Done = std::move(Done)](const QString& Json) {
             Done(ParseElements(Json).value_or(QList<TDomElement>()));
           });
}

void TWebDocument::Run(const TDomBatch& Batch, std::function<void()> Done) {
  Evaluate(Batch.Script(), [Done = std::move(Done)](const QString&) {
    if (Done) Done();
  });
}
