#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "workspace/dom.h"

class QWebEnginePage;

// Asynchronous access to the document of one embedded browser. Every answer arrives in a
// callback from the event loop; a callback is dropped when the page or the document object
// is gone by then or the document was detached, so a closed workspace is never called back.
class TWebDocument : public QObject {
 public:
  explicit TWebDocument(QWebEnginePage* Page);

  // The inner HTML of the body; empty when the page has no body.
  void BodyHtml(std::function<void(const QString&)> Done);
  // The elements of Form in order; nothing when the page has no such form.
  void ReadFormElements(const TDomRef& Form,
                        std::function<void(const std::optional<QList<TDomElement>>&)> Done);
  // Every element of the document in document order.
  void ReadAllElements(std::function<void(const QList<TDomElement>&)> Done);
  // Runs the batch; Done (if any) follows once the page has run it.
  void Run(const TDomBatch& Batch, std::function<void()> Done = {});
  // No callback runs any more: the page answers pending scripts while it is being destroyed,
  // when its owner is already half gone.
  void Detach() { FDetached = true; }

 private:
  void Evaluate(const QString& Script, std::function<void(const QString&)> Done);
  QPointer<QWebEnginePage> FPage;
  bool FDetached = false;
};
