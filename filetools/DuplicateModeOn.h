// The folders added while this lives go to the duplicate search's locations instead of
// the cleaner's; the flag (the main form's DuplicateMode) drops again on every way out,
// an exception included.
#pragma once

class DuplicateModeOn {
public:
    explicit DuplicateModeOn(unsigned char& flag) : flag_(flag) { flag_ = 1; }
    ~DuplicateModeOn() { flag_ = 0; }
    DuplicateModeOn(const DuplicateModeOn&) = delete;
    DuplicateModeOn& operator=(const DuplicateModeOn&) = delete;

private:
    unsigned char& flag_;
};
