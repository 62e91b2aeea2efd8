#include "workspace/postingform.h"

TPostingFormFill FillPostingForm(const TDomRef& Form, const QList<TDomElement>& Elements,
                                 const QString& Letter, const QMap<QString, QString>& Values) {
  TPostingFormFill Fill;
  for (int Index = 0; Index < Elements.size(); ++Index) {
    const TDomElement& Element = Elements.at(Index);
    if (Element.Name == QLatin1String("__1")) Fill.Submit = Element.Value == Letter;
    const auto Value = Values.constFind(Element.Name);
    if (Value != Values.constEnd()) Fill.Batch.SetValue(Form.Element(Index), *Value);
  }
  if (Fill.Submit) Fill.Batch.Submit(Form);
  return Fill;
}
