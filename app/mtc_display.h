// The desk's binding of the time code decoder: the process-wide decoder state and the
// WM_MTC_BYTE handler that acts on the desk panel's controls.
#pragma once

#include "app/mtc_decoder.h"

// DecodedTime, QuarterFrameSeen and AutoCheckCounter of the running desk.
extern MtcDecoderState g_mtcState;

// Decodes one WM_MTC_BYTE (wParam) onto the desk panel; does nothing without a panel.
void DecodeMtcByte(unsigned wParam);
