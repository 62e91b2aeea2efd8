#include "map/userrequestform.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "map/mapserver.h"
#include "map/mapview.h"
#include "planning/mapserverdata.h"

namespace {
constexpr int kClientWidth = 680;
constexpr int kClientHeight = 718;
constexpr int kMapHeight = 563;
constexpr int kButtonLeft = 516;
constexpr int kButtonWidth = 156;
constexpr int kButtonHeight = 25;
// A right click on the dialog's map may then set the order place.
constexpr int kChoiceWorkflow = 1;

QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Text, int Top) {
  auto* b = new QPushButton(Text, Parent);
  b->setObjectName(QLatin1String(Name));
  b->setGeometry(kButtonLeft, Top, kButtonWidth, kButtonHeight);
  b->setAutoDefault(false);
  return b;
}
}  // namespace

TUserRequestForm::TUserRequestForm(TMapServer& MapServer, const QString& MapPath, QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      MapServerData(std::make_unique<TMapServerData>()) {
  setObjectName(QStringLiteral("UserRequestForm"));
  setWindowTitle(QStringLiteral("Geocodierung ergab kein eindeutiges Ergebnis!"));
  setFixedSize(kClientWidth, kClientHeight);
  BuildControls();
  MapServerData->WorkflowId = kChoiceWorkflow;
  MapView.reset(MapServer.CreateMapView(MapPanel, MapPath));
  MapView->SetMapServerData(MapServerData.get());
  MapView->CreateMapEditor(QStringLiteral("Geocodierung"));
  MapView->UpdateUserRequestList = [this](const QString& Adresse) { AddListBoxItem(Adresse); };
}

TUserRequestForm::~TUserRequestForm() {
  // The view draws into MapPanel and reads the hub, so it goes first.
  MapView.reset();
  MapServerData.reset();
}

void TUserRequestForm::BuildControls() {
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setGeometry(8, 48, 500, kClientHeight - kMapHeight - 56);
  BitBtn1 = MakeButton(this, "BitBtn1", QStringLiteral("OK"), 48);
  BitBtn1->setEnabled(false);
  BitBtn1->setDefault(true);
  Label1 = new QLabel(QStringLiteral("Bitte wählen Sie eine Adresse aus der Liste aus!"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 6, 500, 18);
  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(8, 26, 500, 18);
  Label2->setStyleSheet(QStringLiteral("font-weight: bold"));
  MapPanel = new QFrame(this);
  MapPanel->setObjectName(QStringLiteral("MapPanel"));
  MapPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  MapPanel->setGeometry(0, kClientHeight - kMapHeight, kClientWidth, kMapHeight);
  BitBtn2 = MakeButton(this, "BitBtn2", QStringLiteral("keine Geocodierung"), 78);
  CheckBox1 = new QCheckBox(QStringLiteral("Geocodierung vermerken"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setToolTip(
      QStringLiteral("Bei Markierung wird Ergebnis der Geocodierung in Datenbank vermerkt"));
  CheckBox1->setGeometry(kButtonLeft - 6, 108, kClientWidth - kButtonLeft + 6, 20);
  BitBtn3 = MakeButton(this, "BitBtn3", QStringLiteral("Abbrechen"), 130);

  connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
    if (BitBtn1->isEnabled()) accept();
  });
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(Abort); });
  connect(BitBtn3, &QPushButton::clicked, this, [this] { done(Rejected); });
}

void TUserRequestForm::SelectItem(int ItemIndex) {
  MapView->SelectMEObject(0, 9, false);
  if (ItemIndex < 0 || ItemIndex >= ListBox1->count()) return;
  ListBox1->setCurrentRow(ItemIndex);
  MapView->SelectMEObject(ItemIndex + 1, 0, true);
  BitBtn1->setEnabled(true);
}

void TUserRequestForm::ListBox1Click() { SelectItem(ListBox1->currentRow()); }

void TUserRequestForm::AddListBoxItem(const QString& Adresse) {
  ListBox1->addItem(Adresse);
  SelectItem(ListBox1->count() - 1);
}

int TUserRequestForm::Execute() {
  if (!AnswerProvider) return exec();
  setResult(Abort);
  AnswerProvider(*this);
  return result();
}

// Escape answers like "keine Geocodierung".
void TUserRequestForm::reject() { done(Abort); }
