// The desk's binding of the time code decoder: the process-wide decoder state and the
// WM_MTC_BYTE handler that acts on the desk panel's controls.
#pragma once

#include "app/mtc_decoder.h"

// The running desk's decoder state: its decodedTime, quarterFrameSeen and autoCheckCounter.
extern MtcDecoderState g_mtcState;

// Decodes one WM_MTC_BYTE (wParam) onto the desk panel; does nothing without a panel.
void DecodeMtcByte(unsigned wParam);
