#include "data/globals.h"

namespace GLO {
std::int32_t CurrentSmeta = 0;
DecimalField<9, 3> MaterCoeff;
DecimalField<9, 3> ZarpCoeff;
DecimalField<9, 3> ZarpMashCoeff;
Dim10<DecimalField<11, 4>> Nakrutki;
Dim10<FixedString<30>> NakrutkiName;
}  // namespace GLO

namespace PREF {
FixedString<100> XMLFileName;
FixedString<20> XMLprocessor;
FixedString<20> XSL11file;
FixedString<20> XSL7file;
FixedString<20> XSLA11file;
FixedString<20> XSLA7file;
FixedString<20> XSLARPS;
}  // namespace PREF

FixedString<30> FirmName;
FixedString<100> FirmAddress;
FixedString<50> FirmPhone;
FixedString<20> Director;
FixedString<1> DLM;
FixedString<8> LastRateCategory;
std::int32_t LastRateTab = 0;
std::int32_t NumSmeta = 0;

void InitProgramGlobals()
{
    GLO::CurrentSmeta = 0;
    GLO::MaterCoeff.setScaled(0);
    GLO::ZarpCoeff.setScaled(0);
    GLO::ZarpMashCoeff.setScaled(0);
    GLO::Nakrutki.fill({});
    GLO::NakrutkiName.fill({});

    PREF::XMLFileName.clear();
    PREF::XMLprocessor.clear();
    PREF::XSL11file.clear();
    PREF::XSL7file.clear();
    PREF::XSLA11file.clear();
    PREF::XSLA7file.clear();
    PREF::XSLARPS.clear();

    FirmName.clear();
    FirmAddress.clear();
    FirmPhone.clear();
    Director.clear();
    DLM.clear();  // a FixedString<1> clears to one blank
    LastRateCategory.clear();
    LastRateTab = 0;
    NumSmeta = 0;
}
