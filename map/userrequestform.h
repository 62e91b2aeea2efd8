#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class TMapServer;
class TMapServerData;
class TMapView;

// The geocoding choice dialog: the candidates of an ambiguous address as a list and as
// numbered pins on its own small map. Made once per program and reused for every question.
class TUserRequestForm : public QDialog {
 public:
  // "keine Geocodierung": close without a choice but go on with the next station.
  static constexpr int Abort = 3;

  // Its own hub (workflow 1, so a right click offers the order place) and its own map view
  // from the program's map server and map path.
  TUserRequestForm(TMapServer& MapServer, const QString& MapPath, QWidget* Parent = nullptr);
  ~TUserRequestForm() override;

  // Clears the map selection; a row inside the list is selected there and on the map, and OK
  // becomes possible.
  void SelectItem(int ItemIndex);
  void ListBox1Click();
  // A place set by a right click on the dialog's map.
  void AddListBoxItem(const QString& Adresse);

  // Shows the dialog and answers Accepted (OK), Rejected (Cancel) or Abort. With an answer
  // provider set, the provider answers instead of the user: it gets the dialog to select rows
  // and press buttons, and no event loop is entered.
  int Execute();
  std::function<void(TUserRequestForm&)> AnswerProvider;

  QListWidget* ListBox1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QFrame* MapPanel = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* BitBtn3 = nullptr;
  std::unique_ptr<TMapServerData> MapServerData;
  std::unique_ptr<TMapView> MapView;

 protected:
  void reject() override;

 private:
  void BuildControls();
};
