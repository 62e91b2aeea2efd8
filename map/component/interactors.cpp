#include "map/component/interactors.h"

ComStatus SelectInteractorImpl::SetMode(int Mode) {
  if (Mode < 0 || Mode > 3) {
    return ComFail(QStringLiteral("Unbekannte Auswahlart %1").arg(Mode),
                   ComStatus::InvalidArgument);
  }
  mode_ = Mode;
  return ComStatus::Ok;
}

ComStatus PanInteractorImpl::SetSettings(int Buttons, int RedrawMs) {
  if (Buttons < 0 || Buttons > 2 || RedrawMs < 0) {
    return ComFail(QStringLiteral("Unzulässige Einstellung des Verschiebens"),
                   ComStatus::InvalidArgument);
  }
  buttons_ = Buttons;
  redrawMs_ = RedrawMs;
  return ComStatus::Ok;
}

ComStatus WheelZoomInteractorImpl::SetSetting(int Mode) {
  if (Mode < 0 || Mode > 2) {
    return ComFail(QStringLiteral("Unzulässige Einstellung des Mausrads"),
                   ComStatus::InvalidArgument);
  }
  mode_ = Mode;
  return ComStatus::Ok;
}
