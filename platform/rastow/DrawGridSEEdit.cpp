#include "rastow/DrawGridSEEdit.h"

TDrawGridSEEdit::~TDrawGridSEEdit() = default;
