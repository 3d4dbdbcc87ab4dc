#include "rastow/QmSpinEdit.h"

TQmSpinEdit::~TQmSpinEdit() = default;
