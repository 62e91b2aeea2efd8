#include "map/mapview.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <cmath>
#include <numbers>

#include "base/delphistr.h"
#include "map/clickinteractor.h"
#include "map/component/factory.h"
#include "map/component/iinteractor.h"
#include "map/component/imapmodel.h"
#include "map/component/imapview.h"
#include "map/mapeditor.h"
#include "planning/mapserverdata.h"

namespace {
// The default section of SetMapRect(Strings) for lines that are no number.
constexpr int kDefaultLeft = 700000;
constexpr int kDefaultRight = 1500000;
constexpr int kDefaultTop = 7000000;
constexpr int kDefaultBottom = 6000000;

template <class T>
T* FindInteractor(const IMapView& View) {
  for (int i = 0; i < View.InteractorCount(); ++i) {
    if (auto* found = dynamic_cast<T*>(View.Interactor(i).get())) return found;
  }
  return nullptr;
}
}  // namespace

TTitleBox TitleBoxGeometry(int TextWidth, int TextHeight) {
  return {QRect(QPoint(15, 15), QPoint(TextWidth + 19 - 1, 2 * TextHeight + 4 - 1)),
          QPoint(17, TextHeight + 2)};
}

TMapView::TMapView(QObject*) : SelectedStationList(std::make_unique<TStringList>()) {}

TMapView::~TMapView() {
  SelectedStationList.reset();
  if (m_MapView && m_ClickInteractor) m_MapView->RemoveInteractor(m_ClickInteractor);
  m_ClickInteractor = nullptr;
  if (Routing) Routing->DestroyRouting();
  if (MapEditor) MapEditor->DestroyMapEditor();
  Routing.reset();
  MapEditor.reset();
  if (m_MapCookie != 0 && m_MapPresenter) m_MapPresenter->Unadvise(m_MapCookie);
  m_MapCookie = 0;
  if (m_MapModel && m_MapView) m_MapModel->RemoveView(m_MapView.get());
  if (m_MapView) m_MapView->AttachWindow(nullptr);
  m_MapView.reset();
  m_MapModel.reset();
  if (m_Locator) m_Locator->Unload();
  m_Locator.reset();
  m_MapPresenter.reset();
}

void TMapView::SetMapServerData(TMapServerData* Data) {
  m_MapServerData = Data;
  StationList = Data ? Data->StationList.get() : nullptr;
}

int TMapView::CreateMapView(QWidget* FormMapControl, const QString& MapRootPath) {
  if (m_MapPresenter) return 0;
  ComponentFactory& factory = ComponentFactory::Instance();
  m_MapPresenter = factory.CreateMapPresenter();
  if (!m_MapPresenter) return 11;
  m_Locator = factory.CreateLocator();
  if (!m_Locator || Failed(m_Locator->LoadMap(MapRootPath, m_MapPresenter.get())) ||
      m_MapPresenter->ModelCount() == 0) {
    return 12;
  }
  m_MapModel = m_MapPresenter->Model(m_MapPresenter->ModelCount() - 1);
  m_MapView = factory.CreateExtMapView();
  if (!m_MapView) return 0;
  return JoinView(FormMapControl);
}

int TMapView::JoinView(QWidget* FormMapControl) {
  if (FormMapControl) m_MapView->AttachWindow(FormMapControl);
  if (Failed(m_MapModel->AddView(m_MapView))) return 13;
  if (Failed(m_MapPresenter->Advise(this, m_MapCookie))) {
    m_MapCookie = 0;
    return 13;
  }
  const TRect section = m_MapView->Section();
  m_LogicalMapRect = section;
  if (!FormMapControl) return 0;
  auto click = std::make_shared<TClickInteractor>();
  if (Failed(m_MapView->AddInteractor(click))) return 13;
  m_ClickInteractor = click.get();
  SetUpInteractors();
  return 0;
}

void TMapView::SetUpInteractors() {
  if (auto* pan = FindInteractor<IPanInteractor>(*m_MapView)) pan->SetSettings(2, 500);
  if (auto* wheel = FindInteractor<IWheelZoomInteractor>(*m_MapView)) wheel->SetSetting(2);
}

void TMapView::SelectInteractor(int SelectMode) {
  if (!m_MapView) return;
  if (auto* select = FindInteractor<ISelectInteractor>(*m_MapView)) select->SetMode(SelectMode);
}

TMapEditor* TMapView::CreateMapEditor(const QString& LName) {
  if (!MapEditor && m_MapView) {
    MapEditor = std::make_unique<TMapEditor>(this);
    MapEditor->CreateMapEditor(m_MapModel, m_MapView, LName);
  }
  return MapEditor.get();
}

bool TMapView::SetMapRect(int Left, int Right, int Top, int Bottom) {
  return m_MapView && Succeeded(m_MapView->ShowRect(Left, Top, Right, Bottom));
}

bool TMapView::SetMapRect(const QStringList& Strings) {
  if (Strings.size() < 4) return false;
  return SetMapRect(StrToIntDef(Strings[0], kDefaultLeft), StrToIntDef(Strings[1], kDefaultRight),
                    StrToIntDef(Strings[2], kDefaultTop), StrToIntDef(Strings[3], kDefaultBottom));
}

bool TMapView::ZoomIn() { return m_MapView && Succeeded(m_MapView->Zoom(0.5)); }

bool TMapView::ZoomOut() { return m_MapView && Succeeded(m_MapView->Zoom(2.0)); }

bool TMapView::ZoomTotal() { return m_MapView && Succeeded(m_MapView->ZoomTotal()); }

void TMapView::RefreshMap() {
  if (m_MapView) m_MapView->Refresh();
}

void TMapView::SetMapRotation(double Rotation) {
  if (!m_MapView) return;
  const double radians = Rotation * std::numbers::pi / 180.0;
  double current = 0;
  if (Succeeded(m_MapView->GetRotation(current)) && current == radians) return;
  m_MapView->SetRotation(radians);
}

bool TMapView::ExportMap(const QString& JPGFile, int Width, int Height, double Rotation) {
  if (JPGFile.isEmpty() || !m_MapView) return false;
  if (Rotation > 0) SetMapRotation(Rotation);
  if (Failed(m_MapView->SetOutputRect(0, 0, Width, Height))) return false;
  const bool saved = Succeeded(m_MapView->SaveAsImage(JPGFile, 3));
  // The window goes on drawing at its own size.
  if (const QWidget* canvas = m_MapView->Canvas()) {
    m_MapView->SetOutputRect(0, 0, std::max(1, canvas->width()), std::max(1, canvas->height()));
  }
  return saved;
}

bool TMapView::PrintMap(int Anz) {
  if (!m_MapView) return false;
  if (m_Printer) return PrintPages(*m_Printer, Anz);
  QPrinter printer(QPrinter::HighResolution);
  return PrintPages(printer, Anz);
}

bool TMapView::PrintPages(QPrinter& Printer, int Anz) {
  try {
    // Copies are printed as pages of their own, so that every printer (and a PDF file) gives
    // the number asked for.
    Printer.setCopyCount(1);
    Printer.setDocName(PrintingTitle);
    QPainter painter;
    if (!painter.begin(&Printer)) return false;
    const QFontMetrics fm(painter.font());
    // Room above the map for the header, which would otherwise fall off the page.
    const QRect page = painter.viewport();
    const QRect rect = page.adjusted(0, 3 * fm.height(), 0, 0);
    const int centreX = (rect.left() + rect.right()) / 2;
    m_MapView->SetOutputMode(3);
    for (int copy = 0; copy < std::max(1, Anz); ++copy) {
      if (copy > 0) Printer.newPage();
      if (Failed(m_MapView->DrawInto(&painter, rect))) {
        Printer.abort();
        m_MapView->SetOutputMode(0);
        return false;
      }
      painter.setPen(QPen(Qt::black));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(rect);
      painter.drawText(centreX - fm.horizontalAdvance(PrintingHeader) / 2,
                       rect.top() - 2 * fm.height() + fm.ascent(), PrintingHeader);
    }
    m_MapView->SetOutputMode(0);
    return painter.end();
  } catch (...) {
    Printer.abort();
    return false;
  }
}

ComStatus TMapView::SectionChanged(int Left, int Top, int Right, int Bottom) {
  m_LogicalMapRect = {Left, Top, Right, Bottom};
  return ComStatus::Ok;
}

ComStatus TMapView::DrawingFinished(IMapView*, QPainter* Painter) {
  SetStationInfo();
  if (!MapTitle.isEmpty() && Painter) DrawTitle(*Painter);
  return ComStatus::Ok;
}

void TMapView::DrawTitle(QPainter& Painter) const {
  Painter.setFont(QApplication::font());
  const QFontMetrics fm(Painter.font());
  const TTitleBox box = TitleBoxGeometry(fm.horizontalAdvance(MapTitle), fm.height());
  Painter.setRenderHint(QPainter::Antialiasing, false);
  Painter.setPen(QPen(Qt::black, 1));
  Painter.setBrush(Qt::white);
  Painter.drawRect(box.Box.adjusted(0, 0, -1, -1));
  Painter.setPen(Qt::black);
  Painter.drawText(QRect(box.TextAt, QSize(fm.horizontalAdvance(MapTitle) + 2, fm.height())),
                   Qt::AlignLeft | Qt::AlignTop, MapTitle);
}

void TMapView::ShowStatus(const QString& Text, int Panel) const {
  if (m_MapServerData && m_MapServerData->SetStatusText)
    m_MapServerData->SetStatusText(Text, Panel);
}
