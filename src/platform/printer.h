#pragma once
// The system printer, as far as the windows need it before the sheet preview exists.
namespace velm {

class Printer {
public:
    virtual ~Printer() = default;
    // Page width in whole millimetres; a negative value when no printer answers
    // (the classic run-time error 482).
    virtual int PageWidthMillimetres() = 0;
};

}  // namespace velm
