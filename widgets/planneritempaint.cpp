#include "widgets/planneritempaint.h"

#include <QPainter>
#include <QPainterPath>

#include "widgets/planneritem.h"

namespace {

constexpr int TrackWidth = 5;
constexpr int LinkSize = 13;
constexpr int ImageSize = 16;
// More text than this never fits into an item; cutting it keeps painting quick.
constexpr int MaxPaintedText = 2000;
const QColor SelectionFrame(31, 78, 153);
const QColor FaultyFrame(200, 0, 0);

QColor TextColorOn(const QColor& Background) {
  return qGray(Background.rgb()) > 120 ? QColor(20, 20, 20) : QColor(250, 250, 250);
}

QColor BodyColor(const TPlannerItem& Item) {
  if (Item.Flashing() && Item.FlashOn()) return Item.Color().darker(135);
  return Item.Color();
}

QString PaintedText(const TPlannerItem& Item) {
  QString Text = Item.Text().join('\n');
  if (Text.size() > MaxPaintedText) Text.truncate(MaxPaintedText);
  return Text;
}

int PaintImages(QPainter& Painter, const TPlannerItem& Item, const QRect& Band,
                const TItemPaintOptions& Options) {
  if (!Options.Images) return 0;
  int Right = Band.right() - 1;
  for (int Index : Item.ImageIndexList()) {
    if (Index < 0 || Index >= Options.Images->size()) continue;
    if (Right - ImageSize < Band.left() + TrackWidth) break;
    QRect Target(Right - ImageSize + 1, Band.top() + 1, ImageSize, ImageSize);
    Painter.drawPixmap(Target, Options.Images->at(Index));
    Right -= ImageSize + 1;
  }
  return Band.right() - Right;
}

void PaintLink(QPainter& Painter, const QRect& Link) {
  Painter.save();
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(QColor(30, 100, 200));
  Painter.drawRoundedRect(Link, 3, 3);
  QPen Pen(Qt::white, 1.6);
  Painter.setPen(Pen);
  QPointF From(Link.left() + 3.5, Link.bottom() - 3.0);
  QPointF To(Link.right() - 3.0, Link.top() + 3.5);
  Painter.drawLine(From, To);
  Painter.drawLine(To, To + QPointF(-4, 0));
  Painter.drawLine(To, To + QPointF(0, 4));
  Painter.restore();
}

}  // namespace

QRect ItemLinkRect(const TPlannerItem& Item, const QRect& Rect) {
  if (Item.URL().isEmpty()) return QRect();
  return QRect(Rect.right() - LinkSize - 2, Rect.bottom() - LinkSize - 2, LinkSize, LinkSize);
}

void PaintPlannerItem(QPainter& Painter, const TPlannerItem& Item, const QRect& Rect,
                      const TItemPaintOptions& Options) {
  QRect Body = Rect.adjusted(1, 1, -2, -2);
  if (Body.width() < 2 || Body.height() < 2) return;
  Painter.save();
  Painter.setClipRect(Rect.adjusted(0, 0, 1, 1), Qt::IntersectClip);
  if (Item.Shadow())
    Painter.fillRect(Body.translated(2, 2), QColor(0, 0, 0, 55));
  const QColor Fill = BodyColor(Item);
  Painter.fillRect(Body, Fill);
  if (Item.TrackVisible())
    Painter.fillRect(QRect(Body.left(), Body.top(), TrackWidth, Body.height()), Item.TrackColor());

  const QFontMetrics Metrics = Painter.fontMetrics();
  const int Inset = Body.left() + (Item.TrackVisible() ? TrackWidth + 3 : 3);
  int TextTop = Body.top() + 1;
  const bool HasCaption = Item.CaptionType() == ctText && !Item.CaptionText().isEmpty();
  const int BandHeight = std::max(Metrics.height() + 2, Options.Images && !Item.ImageIndexList().isEmpty() ? ImageSize + 2 : 0);
  if (HasCaption || !Item.ImageIndexList().isEmpty()) {
    QRect Band(Body.left(), Body.top(), Body.width(), std::min(BandHeight, Body.height()));
    if (HasCaption) Painter.fillRect(Band.adjusted(Item.TrackVisible() ? TrackWidth : 0, 0, 0, 0), Fill.darker(112));
    int ImagesWidth = PaintImages(Painter, Item, Band, Options);
    if (HasCaption) {
      QFont Bold = Painter.font();
      Bold.setBold(true);
      Painter.setFont(Bold);
      Painter.setPen(TextColorOn(Fill.darker(112)));
      QRect CaptionRect(Inset, Band.top(), Band.right() - Inset - ImagesWidth - 2, Band.height());
      Painter.drawText(CaptionRect, Qt::AlignLeft | Qt::AlignVCenter,
                       QFontMetrics(Bold).elidedText(Item.CaptionText(), Qt::ElideRight,
                                                     CaptionRect.width()));
      Painter.setFont(QFont(Painter.font().family(), Painter.font().pointSize()));
    }
    TextTop = Band.bottom() + 2;
  }
  Painter.setPen(TextColorOn(Fill));
  QRect TextRect(Inset, TextTop, Body.right() - Inset - 2, Body.bottom() - TextTop);
  if (TextRect.height() > 0)
    Painter.drawText(TextRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, PaintedText(Item));

  QRect Link = ItemLinkRect(Item, Body);
  if (!Link.isEmpty()) PaintLink(Painter, Link);

  Painter.setBrush(Qt::NoBrush);
  Painter.setPen(QPen(Fill.darker(160), 1));
  Painter.drawRect(Body);
  if (Item.HasInvalidTimes()) {
    Painter.setPen(QPen(FaultyFrame, 2, Qt::DashLine));
    Painter.drawRect(Body.adjusted(1, 1, -1, -1));
  }
  if (Item.Selected() && Item.ShowSelection() && Options.ShowSelection) {
    Painter.setPen(QPen(SelectionFrame, 2));
    Painter.drawRect(Body.adjusted(1, 1, -1, -1));
  }
  if (Item.Focus()) {
    Painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    Painter.drawRect(Body.adjusted(3, 3, -3, -3));
  }
  Painter.restore();
}
