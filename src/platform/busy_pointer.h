// The busy mouse pointer around longer steps.
#pragma once

namespace torvane {

class BusyPointer {
 public:
  virtual ~BusyPointer() = default;
  virtual void SetBusy(bool busy) = 0;
  virtual bool busy() const = 0;
};

// Shows the busy pointer for the life of the scope.
class BusyScope {
 public:
  explicit BusyScope(BusyPointer& pointer) : pointer_(pointer) { pointer_.SetBusy(true); }
  ~BusyScope() { pointer_.SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyPointer& pointer_;
};

// Remembers the state only; for tests and for programs without a screen.
class RecordingBusyPointer : public BusyPointer {
 public:
  void SetBusy(bool busy) override {
    busy_ = busy;
    if (busy) ++times_busy_;
  }
  bool busy() const override { return busy_; }
  int times_busy() const { return times_busy_; }

 private:
  bool busy_ = false;
  int times_busy_ = 0;
};

}  // namespace torvane
