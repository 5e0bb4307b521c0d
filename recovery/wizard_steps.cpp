#include "recovery/wizard_steps.h"

namespace tessel::recovery {

bool WizardSteps::Proceed() {
  if (!MayProceed()) return false;
  step_ = Step::kResults;
  scanRunning_ = true;
  stopRequested_ = false;
  return true;
}

bool WizardSteps::ProceedFolderExport() {
  if (!MayProceed()) return false;
  step_ = Step::kFolderExport;
  scanRunning_ = true;
  stopRequested_ = false;
  return true;
}

bool WizardSteps::Stop() {
  if (!MayStop()) return false;
  stopRequested_ = true;
  return true;
}

bool WizardSteps::Back() {
  if (!MayGoBack()) return false;
  step_ = Step::kChoose;
  return true;
}

void WizardSteps::ScanEnded() {
  scanRunning_ = false;
  stopRequested_ = false;
}

bool WizardSteps::BeginPreview() {
  if (step_ != Step::kResults || scanRunning_ || previewing_) return false;
  previewing_ = true;
  return true;
}

WizardControls WizardSteps::Controls() const {
  WizardControls shown;
  shown.proceedEnabled = !scanRunning_;
  if (step_ == Step::kChoose) {
    shown.chooseStep = true;
    return shown;
  }
  shown.instruction = true;
  if (step_ == Step::kFolderExport) {
    shown.inputs = true;
    shown.progress = scanRunning_;
    shown.stop = MayStop();
    shown.back = MayGoBack();
    return shown;
  }
  shown.list = true;
  shown.progress = scanRunning_;
  shown.stop = MayStop() || previewing_;
  shown.back = MayGoBack();
  shown.save = MaySave();
  return shown;
}

}  // namespace tessel::recovery
