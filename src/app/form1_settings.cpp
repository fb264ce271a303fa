#include "app/form1.h"

namespace synopter {

void TForm1::ReadSettings() {}
void TForm1::FormClose() {}

} // namespace synopter
