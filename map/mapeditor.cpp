#include "map/mapeditor.h"

#include "map/component/factory.h"
#include "map/component/imapmodel.h"
#include "map/component/imapview.h"
#include "map/mapview.h"

TMapEditor::TMapEditor(TMapView* AOwner) : m_Owner(AOwner) {}

TMapEditor::~TMapEditor() { DestroyMapEditor(); }

void TMapEditor::CreateMapEditor(std::shared_ptr<IMapModel> MapModel,
                                 std::shared_ptr<IMapView> MapView, const QString& LName) {
  m_MapModel = std::move(MapModel);
  m_mapView = std::move(MapView);
  if (!LName.isEmpty()) LayerName = ObjectGroup = LName;
  CreateLayer();
}

void TMapEditor::DestroyMapEditor() {
  DeleteLayer();
  m_mapView.reset();
  m_MapModel.reset();
}

QString TMapEditor::SelectionName() const {
  return (m_MapModel ? m_MapModel->Name() : QString()) + QLatin1Char(':') + MEPraefix + LayerName;
}

bool TMapEditor::CreateLayer() {
  if (m_MEModel) return true;
  if (!m_MapModel || !m_mapView || !m_MapModel->Presenter()) return false;
  auto presenter = ComponentFactory::Instance().CreateMEPresenter();
  if (!presenter || Failed(presenter->SetMapView(m_mapView))) return false;
  if (VisibleName.isEmpty()) VisibleName = LayerName;
  bool created = false;
  if (!DBPath.isEmpty()) {
    created = Succeeded(presenter->OpenLayer(DBPath, 1)) ||
              Succeeded(presenter->CreatePersistentLayer(LayerName, VisibleName, DBPath, -1));
  } else {
    created = Succeeded(presenter->CreateMemoryLayer(LayerName, VisibleName, 1));
  }
  if (!created) return false;
  m_MEPresenter = presenter;
  m_MEPresenter->GetModel(m_MEModel);
  m_NotificationManager = ComponentFactory::Instance().CreateNotificationManager();
  if (m_NotificationManager) {
    m_NotificationManager->Register(SelectionName(), this, m_Selection);
  }
  return m_MEModel != nullptr;
}

bool TMapEditor::DeleteLayer() {
  if (!m_MEPresenter) return false;
  if (DBPath.isEmpty() && m_MEModel) m_MEModel->DeleteAllObjects(0);
  const bool removed = Succeeded(m_MEPresenter->RemoveLayer(MEPraefix + LayerName));
  if (m_NotificationManager) m_NotificationManager->Unregister(SelectionName(), this);
  m_NotificationManager.reset();
  m_Selection.reset();
  m_MEModel.reset();
  m_MEPresenter.reset();
  return removed;
}

bool TMapEditor::Attributes(const TPoint& P, int Shape, const QString& Text,
                            const QString& Beschreibung, int Color, MEAttributes& Out) const {
  return BuildMEAttributes(P, Shape, Text, Beschreibung, Color, ObjectGroup,
                           {CWidth, CHeight, COffset}, Out);
}

int TMapEditor::InsertObject(const TPoint& P, int Shape, const QString& Text,
                             const QString& Beschreibung, int Color, int RTyp) {
  if (!m_MEModel) return -1;
  MEAttributes attributes;
  Attributes(P, Shape, Text, Beschreibung, Color, attributes);
  int id = -1;
  if (Failed(m_MEModel->InsertObject(attributes, RTyp, id))) return -1;
  return id;
}

bool TMapEditor::UpdateObject(int MEId, const TPoint& P, int Shape, const QString& Text,
                              const QString& Beschreibung, int Color, int RTyp) {
  if (!m_MEModel) return false;
  MEAttributes attributes;
  Attributes(P, Shape, Text, Beschreibung, Color, attributes);
  return Succeeded(m_MEModel->UpdateObject(MEId, attributes, RTyp));
}

bool TMapEditor::DeleteObject(int Id, int RTyp) {
  return m_MEModel && Succeeded(m_MEModel->DeleteObject(Id, RTyp));
}

bool TMapEditor::DeleteAllObjects(int RTyp) {
  return m_MEModel && Succeeded(m_MEModel->DeleteAllObjects(RTyp));
}

bool TMapEditor::SelectObject(int ID, int SelectMode, bool RefreshMap) {
  if (m_Selection) {
    switch (SelectMode) {
      case 1:
        m_Selection->Remove(ID);
        break;
      case 2:
        m_Selection->Toggle(ID);
        break;
      case 3:
        m_Selection->SelectOnly(ID);
        break;
      case 9:
        m_Selection->Clear();
        if (m_Owner) m_Owner->OnMapSelectionChanged(QString());
        break;
      default:
        m_Selection->Add(ID);
    }
  }
  if (RefreshMap && m_mapView) m_mapView->Refresh();
  return GetMEView() != nullptr;
}

IMEView* TMapEditor::FindLayer(const QString& Name, bool ByDisplayName) const {
  if (!m_mapView) return nullptr;
  for (int i = 0; i < m_mapView->LayerPresenterCount(); ++i) {
    IMEView* layer = m_mapView->LayerPresenter(i)->Layer();
    if (!layer) continue;
    const QString name = ByDisplayName ? layer->DisplayName() : layer->Name();
    if (name.compare(Name, Qt::CaseInsensitive) == 0) return layer;
  }
  return nullptr;
}

IMEView* TMapEditor::GetMEView() const { return FindLayer(LayerName, false); }

void TMapEditor::SetObjectSize(int Width, int Height, int Offset) {
  CWidth = Width;
  CHeight = Height;
  COffset = Offset;
}

void TMapEditor::SetLayerName(const QString& NewName) {
  IMEView* layer = FindLayer(VisibleName, true);
  if (!layer) return;
  layer->SetDisplayName(NewName);
  VisibleName = ObjectGroup = NewName;
}

QString TMapEditor::GetLayerNames(int LayerNr) const {
  QString names;
  if (!m_mapView) return names;
  int number = 0;
  for (int i = 0; i < m_mapView->LayerPresenterCount(); ++i) {
    const IMEView* layer = m_mapView->LayerPresenter(i)->Layer();
    if (!layer) continue;
    ++number;
    if (LayerNr <= 0 || LayerNr == number) names += layer->DisplayName() + QStringLiteral("\r\n");
  }
  return names;
}

void TMapEditor::ShowObjectText(const QString& LName, bool Show) {
  if (IMEView* layer = FindLayer(LName.isEmpty() ? LayerName : LName, true)) {
    layer->ShowObjectTexts(Show, 50000.0);
  }
}

bool TMapEditor::SetSpiderSearch(const TPoint&, int, int, QVariant&) {
  return FindLayer(LayerName, true) != nullptr;
}

bool TMapEditor::ResetSpiderSearch() { return FindLayer(LayerName, true) != nullptr; }

ComStatus TMapEditor::SelectionChanged(const QString&) {
  if (!m_Selection) return ComStatus::Ok;
  const int count = m_Selection->Count();
  if (m_Owner) {
    m_Owner->SelectionMode = count > 0;
    QStringList lines;
    for (int position = 1; position <= count; ++position) {
      int id = 0;
      if (Succeeded(m_Selection->Item(position, id))) lines.append(QString::number(id));
    }
    m_Owner->OnMapSelectionChanged(lines.join(QStringLiteral("\r\n")));
  }
  return ComStatus::Ok;
}
