#include "PIDLoopImage.h"

#include "platform/ByteString.h"

#include <cstdint>
#include <cstring>
#include <iterator>

using ByteString::Format;

namespace {

constexpr int PERCENT = 100;
constexpr BYTE RESPONSE_MASK = 0xC0;
constexpr int RESPONSE_SHIFT = 6;
constexpr BYTE TYPE_MASK = 0x30;
constexpr int TYPE_SHIFT = 4;
constexpr BYTE AUTO_MASK = 0x0C;
constexpr BYTE STATE_MASK = 0x07;
constexpr int FIRST_ALARM_BIT = 4;
constexpr int LAST_ALARM_BIT = 7;
constexpr BYTE RESULT_SUCCESS_BIT = 0x80;
constexpr BYTE RESULT_CODE_MASK = 0x7F;
constexpr int RESULT_SUCCESS_CODE = 7;

const char* const RESPONSE_TEXTS[] = {
    "\xB6\xAF\xCC\xAC\xCF\xEC\xD3\xA6\xC0\xE0\xD0\xCD\xA3\xBA\xBF\xEC\xCB\xD9",
    "\xB6\xAF\xCC\xAC\xCF\xEC\xD3\xA6\xC0\xE0\xD0\xCD\xA3\xBA\xD6\xD0\xCB\xD9",
    "\xB6\xAF\xCC\xAC\xCF\xEC\xD3\xA6\xC0\xE0\xD0\xCD\xA3\xBA\xC2\xFD\xCB\xD9",
    "\xB6\xAF\xCC\xAC\xCF\xEC\xD3\xA6\xC0\xE0\xD0\xCD\xA3\xBA\xBC\xAB\xC2\xFD\xCB\xD9",
};

const char* const TYPE_TEXTS[] = {
    "PID\xC0\xE0\xD0\xCD\xA3\xBAPID",
    "PID\xC0\xE0\xD0\xCD\xA3\xBAPI",
    "PID\xC0\xE0\xD0\xCD\xA3\xBAPD",
    "PID\xC0\xE0\xD0\xCD\xA3\xBAP",
};

const char* const STATE_TEXTS[] = {
    "\xD7\xD4\xD5\xFB\xB6\xA8\xCE\xB4\xD4\xCB\xD0\xD0",
    "\xD5\xFD\xD4\xDA\xB2\xC9\xBC\xAF\xBB\xF9\xD7\xBC\xCA\xE4\xB3\xF6\xD6\xB5",
    "\xD5\xFD\xD4\xDA\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xD6\xCD\xBA\xF3\xD6\xB5\xA1\xA2\xC6\xAB\xB2\xEE\xD6\xB5",
    "\xB4\xA6\xC8\xEB\xB5\xDA" "1\xB8\xF6\xB9\xFD\xB6\xC9\xB9\xFD\xB3\xCC",
    "\xD5\xFD\xD4\xDA\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xCA\xE4\xB3\xF6\xBD\xD7\xD4\xBE\xD6\xB5",
    "\xB5\xDA" "2\xB8\xF6\xB9\xFD\xB6\xC9\xB9\xFD\xB3\xCC",
    "\xB4\xA6\xD3\xDA\xB2\xE2\xC1\xBF\xC7\xF8",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xD5\xFD\xB3\xA3\xCD\xEA\xB3\xC9",
};

// Bits 4 to 7 of the status byte.
const char* const ALARM_TEXTS[] = {
    "\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xB5\xC3\xB5\xBD\xB5\xC4\xD6\xCD\xBA\xF3\xD6\xB5\xA3\xA8" "AT_HYS\xA3\xA9\xD0\xA1\xD3\xDA\xD4\xCA\xD0\xED\xB5\xC4\xD7\xEE\xD0\xA1\xD6\xB5",
    "\xCB\xF9\xD3\xC3\xB5\xC4\xC6\xAB\xB2\xEE\xD6\xB5\xD0\xA1\xD3\xDA\xD6\xCD\xBA\xF3\xD6\xB5\xB5\xC4" "4\xB1\xB6",
    "\xD4\xDA\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xBF\xAA\xCA\xBC\xB5\xC4" "2.5\xB8\xF6\xD5\xF1\xB5\xB4\xD6\xDC\xC6\xDA\xC4\xDA\xA3\xACPV\xB5\xC4\xC6\xAB\xB2\xEE\xD7\xEE\xB4\xF3\xD6\xB5\xB3\xAC\xB9\xFD\xC1\xCB\xD6\xCD\xBA\xF3\xD6\xB5" "8\xB1\xB6",
    "PV\xB5\xC4\xC6\xAB\xB2\xEE\xD7\xEE\xB4\xF3\xD6\xB5\xC3\xBB\xD3\xD0\xB3\xAC\xB9\xFD\xD6\xCD\xBA\xF3\xD6\xB5\xB5\xC4" "3\xB1\xB6",
};

// Result codes 0 to 6; 7 is success.
const char* const RESULT_TEXTS[] = {
    "",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xCA\xF8\xA3\xBA\xD3\xC3\xBB\xA7\xC8\xA1\xCF\xFB\xC1\xCB\xD7\xD4\xD5\xFB\xB6\xA8",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xCA\xF8\xA3\xBA\xD4\xDA\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xD6\xD0\xD3\xC3\xBB\xA7\xBD\xABPID\xB8\xC4\xCE\xAA\xCA\xD6\xB6\xAF\xD7\xB4\xCC\xAC",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xCA\xF8\xA3\xBA\xD7\xD4\xD5\xFB\xB6\xA8\xBF\xB4\xC3\xC5\xB9\xB7\xB3\xAC\xCA\xB1",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xCA\xF8\xA3\xBA\xD6\xCD\xBA\xF3\xD6\xB5\xB3\xAC\xB9\xFD\xC1\xCB\xD4\xCA\xD0\xED\xB5\xC4\xD7\xEE\xB4\xF3\xD6\xB5",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xCA\xF8\xA3\xBA\xC6\xE4\xCB\xFC\xB2\xCE\xCA\xFD\xA3\xA8\xC6\xAB\xB2\xEE\xD6\xB5\xA1\xA2\xBC\xCC\xB5\xE7\xCA\xE4\xB3\xF6\xB1\xE4\xBB\xAF\xC1\xBF\xA1\xA2\xBF\xB4\xC3\xC5\xB9\xB7\xCA\xB1\xBC\xE4\xA3\xA9\xC5\xE4\xD6\xC3\xB4\xED\xCE\xF3",
    "\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xCA\xF8\xA3\xBAPV\xB5\xC4\xC6\xAB\xB2\xEE\xD7\xEE\xB4\xF3\xD6\xB5\xD0\xA1\xD3\xDA" "0",
};

double Real(const BYTE* image, int offset) { return static_cast<double>(PIDImageFloat(image, offset)); }

std::string AlarmText(BYTE status)
{
    for (int bit = FIRST_ALARM_BIT; bit <= LAST_ALARM_BIT; ++bit) {
        if (status & (1 << bit))
            return Format("\xD7\xD4\xD5\xFB\xB6\xA8\xB1\xA8\xBE\xAF\xA3\xBA%s", ALARM_TEXTS[bit - FIRST_ALARM_BIT]);
    }
    return Format("\xD7\xD4\xD5\xFB\xB6\xA8\xB1\xA8\xBE\xAF\xA3\xBA%s", "\xCE\xDE\xB1\xA8\xBE\xAF");
}

std::string ResultText(const BYTE* image)
{
    const BYTE result = image[PID_IMAGE_TUNE_RESULT];
    const int code = result & RESULT_CODE_MASK;
    if ((result & RESULT_SUCCESS_BIT) || code == RESULT_SUCCESS_CODE) {
        return Format("\xD7\xD4\xD5\xFB\xB6\xA8\xB3\xC9\xB9\xA6\xA3\xBA" "AT_KP = %.2f AT_TR = %.2f AT_TD = %.2f", Real(image, PID_IMAGE_AT_KP),
            Real(image, PID_IMAGE_AT_TR), Real(image, PID_IMAGE_AT_TD));
    }
    if (code < static_cast<int>(std::size(RESULT_TEXTS)))
        return RESULT_TEXTS[code];
    return "\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xB9\xFB\xB6\xC1\xC8\xA1\xCA\xA7\xB0\xDC";
}

} // namespace

int PIDImageShort(const BYTE* image, int offset)
{
    return static_cast<int16_t>(image[offset] | (image[offset + 1] << 8));
}

int PIDImageLong(const BYTE* image, int offset)
{
    const uint32_t value = static_cast<uint32_t>(image[offset]) | (static_cast<uint32_t>(image[offset + 1]) << 8)
        | (static_cast<uint32_t>(image[offset + 2]) << 16) | (static_cast<uint32_t>(image[offset + 3]) << 24);
    return static_cast<int32_t>(value);
}

float PIDImageFloat(const BYTE* image, int offset)
{
    const uint32_t bits = static_cast<uint32_t>(PIDImageLong(image, offset));
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float PIDPercent(int value, int low, int span)
{
    if (span == 0)
        return 0.0f;
    return static_cast<float>(static_cast<double>(value - low) / span * PERCENT);
}

PIDStatusTexts BuildPIDStatus(const BYTE* image)
{
    PIDStatusTexts texts;
    const int pvHigh = PIDImageShort(image, PID_IMAGE_PV_H);
    const int pvLow = PIDImageShort(image, PID_IMAGE_PV_L);
    const int outHigh = PIDImageShort(image, PID_IMAGE_XOUTP_H);
    const int outLow = PIDImageShort(image, PID_IMAGE_XOUTP_L);
    const BYTE control = image[PID_IMAGE_TUNE_CONTROL];
    const BYTE status = image[PID_IMAGE_TUNE_STATUS];

    texts.Gains = Format("KP = %.2f TR = %.2f TD = %.2f", Real(image, PID_IMAGE_KP), Real(image, PID_IMAGE_TR),
        Real(image, PID_IMAGE_TD));
    texts.PVRange = Format("PV_H = %d PV_L = %d ", pvHigh, pvLow);
    texts.PVSpan = pvHigh - pvLow;
    texts.OutRange = Format("XOUTP_H = %d XOUTP_L = %d", outHigh, outLow);
    texts.OutSpan = outHigh - outLow;
    texts.Cycle = Format("CYCLE = %d", PIDImageLong(image, PID_IMAGE_CYCLE));
    texts.Response = RESPONSE_TEXTS[(control & RESPONSE_MASK) >> RESPONSE_SHIFT];
    texts.Type = TYPE_TEXTS[(control & TYPE_MASK) >> TYPE_SHIFT];
    if ((control & AUTO_MASK) == 0) {
        texts.Deviation = "\xD6\xCD\xBA\xF3\xD6\xB5\xBA\xCD\xC6\xAB\xB2\xEE\xD6\xB5\xB4\xA6\xC0\xED\xA3\xBA\xCA\xD6\xB6\xAF";
        texts.HysDev = Format("HYS\xA3\xBA%.3f  DEV\xA3\xBA%.3f", Real(image, PID_IMAGE_HYS), Real(image, PID_IMAGE_DEV));
    } else {
        texts.Deviation = "\xD6\xCD\xBA\xF3\xD6\xB5\xBA\xCD\xC6\xAB\xB2\xEE\xD6\xB5\xB4\xA6\xC0\xED\xA3\xBA\xD7\xD4\xB6\xAF";
        texts.HysDev =
            Format("AT_HYS\xA3\xBA%.3f  AT_DEV\xA3\xBA%.3f", Real(image, PID_IMAGE_AT_HYS), Real(image, PID_IMAGE_AT_DEV));
    }
    texts.StepStart = Format("STEP\xB3\xF5\xD6\xB5\xA3\xBA%.3f", Real(image, PID_IMAGE_STEP));
    texts.StepCorrection = Format("STEP\xD0\xDE\xD5\xFD\xD6\xB5\xA3\xBA%.3f", Real(image, PID_IMAGE_STEP_CORRECTION));
    texts.Filter = Format("PVFIL\xD6\xB5\xA3\xBA%d", image[PID_IMAGE_PVFIL]);
    texts.Watchdog = Format("WDG\xD6\xB5\xA3\xBA%.3f", Real(image, PID_IMAGE_WDG));
    texts.State = Format("\xD7\xD4\xD5\xFB\xB6\xA8\xD7\xB4\xCC\xAC\xA3\xBA%s", STATE_TEXTS[status & STATE_MASK]);
    texts.Alarm = AlarmText(status);
    texts.Result = ResultText(image);
    return texts;
}
