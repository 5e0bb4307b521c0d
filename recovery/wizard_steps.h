// The wizard's step rules, apart from its window so that they are tested
// natively: which controls each step shows, when Proceed, Stop, Back and Save
// apply, and what the end of a worker does. Two steps follow the choose step:
// the results of one file's scan, or the progress of moving a whole folder
// (every store and address book in it, written out by one worker). The dialog
// keeps one WizardSteps, tells it what happened, and shows what Controls() says.
#pragma once

namespace tessel::recovery {

// What the window shows. The link row shows in both steps.
struct WizardControls {
  bool chooseStep = false;  // the "Proceed ..." buttons and the deep scan box
  bool proceedEnabled = false;
  bool list = false;  // the list and its Select All box
  bool progress = false;
  bool stop = false;
  bool back = false;
  bool save = false;
  bool instruction = false;  // the scanning text, then the text after the scan
  bool inputs = false;       // the folder's stores and address books, one row each
  friend bool operator==(const WizardControls&, const WizardControls&) = default;
};

class WizardSteps {
 public:
  enum class Step { kChoose, kResults, kFolderExport };

  // One worker at a time: Proceed applies on the choose step while no worker
  // runs, including the worker of a scan stopped and left with Back.
  bool MayProceed() const { return step_ == Step::kChoose && !scanRunning_; }
  bool MayStop() const { return step_ != Step::kChoose && scanRunning_ && !stopRequested_; }
  // A stopped scan may be left at once, its rows being only on screen; a
  // stopped folder export is waited for, as it removes its unfinished file
  // and its end says what was written.
  bool MayGoBack() const {
    if (step_ == Step::kFolderExport) return !scanRunning_;
    return step_ == Step::kResults && !previewing_ && (!scanRunning_ || stopRequested_);
  }
  bool MaySave() const { return step_ == Step::kResults && !scanRunning_; }

  // A scan starts: the results step shows. False (nothing changes) when Proceed does not apply.
  bool Proceed();
  // A folder export starts: its progress step shows. False when Proceed does not apply.
  bool ProceedFolderExport();
  // The user confirmed Stop. False when it no longer applies (the scan ended
  // while the question was up): the answer then changes nothing.
  bool Stop();
  bool Back();
  // The worker (a scan's or a folder export's) ended. Over the choose step
  // (left with Back after a Stop) it only frees Proceed; the other steps show
  // their end.
  void ScanEnded();
  // A message of the results is being written out for the viewer, on the
  // window's thread: Stop shows in Back's place until it is done. False when
  // it does not apply (no results, or a worker runs).
  bool BeginPreview();
  void EndPreview() { previewing_ = false; }

  Step CurrentStep() const { return step_; }
  bool ScanRunning() const { return scanRunning_; }
  bool StopRequested() const { return stopRequested_; }
  bool Previewing() const { return previewing_; }
  WizardControls Controls() const;

 private:
  Step step_ = Step::kChoose;
  bool scanRunning_ = false;
  bool stopRequested_ = false;
  bool previewing_ = false;
};

}  // namespace tessel::recovery
