#pragma once
// Raises a flag for as long as the object lives and then puts back what it held, so a flag
// such as "the program is changing this control itself" or "a question is open" cannot be
// left up by an early return or an exception.
namespace sorvane {

class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = old_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
    bool old_;
};

}  // namespace sorvane
