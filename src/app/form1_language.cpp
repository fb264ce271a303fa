#include "app/form1.h"

namespace synopter {

bool TForm1::StartupLanguageStep()
{
    return true;
}

void TForm1::Interfacelanguage1Click()
{
}

} // namespace synopter
