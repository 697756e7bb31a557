// Template lines of loop 0 with the places that move with the loop
// written as {key}; values of the loop record go where {val} stands.

#include "PIDTemplate.h"

#include "model/CZULAppData.h"
#include "platform/ByteString.h"

#include <cstdlib>

namespace {

enum class PIDField { None, KP, TR, TD, PV_H, PV_L, XOUTP_H, XOUTP_L, CYCLE, DutyPeriod, TuneControl, PVFIL, HYS, DEV, STEP, WDG };

// Lines that only one output type has.
enum class PIDLineUse { Always, Analog, Switched };

struct PIDTemplateLine {
    const char* text;
    PIDField field;
    const char* conversion; // printf conversion of the field's value
    PIDLineUse use;
};

const PIDTemplateLine PID_TEMPLATE[] = {
    {"(* Network 0 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xB1\xC8\xC0\xFD\xCF\xB5\xCA\xFD*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"EQ    %VR{r3898}, 0.0", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VR{r3898}", PIDField::KP, "%f", PIDLineUse::Always},
    {"(* Network 1 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xBB\xFD\xB7\xD6\xB3\xA3\xCA\xFD*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"EQ    %VR{r3894}, 0.0", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VR{r3894}", PIDField::TR, "%f", PIDLineUse::Always},
    {"(* Network 2 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xCE\xA2\xB7\xD6\xB3\xA3\xCA\xFD*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"EQ    %VR{r3890}, 0.0", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VR{r3890}", PIDField::TD, "%f", PIDLineUse::Always},
    {"(* Network 3 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xCA\xE4\xC8\xEB\xD6\xB5\xB5\xC4\xC9\xCF\xCF\xDE\xA1\xA2\xCF\xC2\xCF\xDE*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VW{v2900}", PIDField::PV_H, "%d", PIDLineUse::Always},
    {"MOVE    {val}, %VW{v2902}", PIDField::PV_L, "%d", PIDLineUse::Always},
    {"(* Network 4 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xCA\xE4\xB3\xF6\xD6\xB5\xB5\xC4\xC9\xCF\xCF\xDE\xA1\xA2\xCF\xC2\xCF\xDE*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VW{v2904}", PIDField::XOUTP_H, "%d", PIDLineUse::Analog},
    {"MOVE    {val}, %VW{v2906}", PIDField::XOUTP_L, "%d", PIDLineUse::Analog},
    {"MOVE    {val}, %VW{v2904}", PIDField::DutyPeriod, "%d", PIDLineUse::Switched},
    {"MOVE    0, %VW{v2906}", PIDField::None, nullptr, PIDLineUse::Switched},
    {"(* Network 5 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xD1\xAD\xBB\xB7\xCA\xB1\xBC\xE4*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VD{v2908}", PIDField::CYCLE, "DI#%d", PIDLineUse::Always},
    {"(* Network 6 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xBD\xD3\xBF\xDA\xCA\xE4\xC8\xEB\xB1\xE4\xC1\xBF\x01PV   SP*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.0", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    %LW{lw16}, %VW{v2912}", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    %LW{lw18}, %VW{v2914}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 7 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*AUTO\xCE\xBB*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %M30.{n}", PIDField::None, nullptr, PIDLineUse::Always},
    {"OR(", PIDField::None, nullptr, PIDLineUse::Always},
    {"LDN    %M30.{n}", PIDField::None, nullptr, PIDLineUse::Always},
    {"AND    %L{l0}", PIDField::None, nullptr, PIDLineUse::Always},
    {")", PIDField::None, nullptr, PIDLineUse::Always},
    {"ST   %L{l3}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 8 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*PID\xB9\xA6\xC4\xDC\xBF\xE9\x01\x01\xD3\xC0\xBE\xC3\xB4\xE6\xB4\xA2\xC7\xF8\x01KP  VR{r3898}\x01TR  VR{r3894}\x01TD  VR{r3890}\x01\xB7\xC7\xD3\xC0\xBE\xC3\xB4\xE6\xB4\xA2\xC7\xF8\x01\x01VW{v2900} PV_H \x01VW{v2902} PV_L \x01VW{v2904} XOUTP_H \x01VW{v2906} XOUTP_L \x01VD{v2908} CYCLE \x01VW{v2912} PV \x01VW{v2914} SP \x01VR{v2916} X0 \x01VR{v2920} XOUT \x01VW{v2924} XOUTP \x01\x01\x01\xC3\xE6\xB0\xE5PID\xD7\xD4\xB6\xAF\xCE\xBB  M30.{n}*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.0", PIDField::None, nullptr, PIDLineUse::Always},
    {"PID    %L{l3}, %VW{v2912}, %VW{v2914}, %VR{v2916}, %VR{r3898}, %VR{r3894}, %VR{r3890}, %VW{v2900}, %VW{v2902}, %VW{v2904}, %VW{v2906}, %VD{v2908}, %VR{v2920}, %VW{v2924}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 9 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xC4\xA3\xC4\xE2\xC1\xBF\xCA\xE4\xB3\xF6*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.0", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    %VW{v2924}, %LW{lw20}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 10 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xD5\xBC\xBF\xD5\xB1\xC8\xB5\xC4\xD6\xDC\xC6\xDA*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VW{v2930}", PIDField::DutyPeriod, "%d", PIDLineUse::Always},
    {"(* Network 11 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*0.01\xC3\xEB\xCA\xB1\xBB\xF9\xB5\xC4\xB6\xA8\xCA\xB1\xC6\xF7,\xCA\xB1\xBC\xE4\xB5\xBD\xBA\xF3\xA3\xAC\xD2\xAA\xB0\xD1\xD5\xE2\xCA\xB1\xB5\xC4PID\xBC\xC6\xCB\xE3\xB3\xF6\xB5\xC4\xCA\xE4\xB3\xF6\xD6\xB5\xC8\xA1\xB3\xF6\xC0\xB4\xA3\xAC\xD4\xD9\xD6\xD8\xD0\xC2\xB6\xA8\xCA\xB1*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LDN    T{t}", PIDField::None, nullptr, PIDLineUse::Always},
    {"TON   T{t}, %VW{v2930}", PIDField::None, nullptr, PIDLineUse::Always},
    {"__CR_EQ_1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    T{t}, %VW{v2926}", PIDField::None, nullptr, PIDLineUse::Always},
    {"__CR_RESTORE", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    %VW{v2924}, %VW{v2928}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 12 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xB0\xD1\xC4\xA3\xC4\xE2\xC1\xBF\xD7\xAA\xBB\xAF\xB3\xC9\xBF\xAA\xB9\xD8\xC1\xBF\x01\xD5\xBC\xBF\xD5\xB1\xC8\xB5\xC4\xB8\xC5\xC4\xEE\xA3\xBAPID\xBC\xC6\xCB\xE3\xB3\xF6\xC0\xB4\xB5\xC4\xD6\xB5\xD5\xBC\xD6\xDC\xC6\xDA\xB5\xC4\xCA\xB1\xBC\xE4\xBE\xF6\xB6\xA8\xCA\xE4\xB3\xF6\xCE\xBB\xB5\xC4ON\xCA\xB1\xBC\xE4*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.0", PIDField::None, nullptr, PIDLineUse::Always},
    {"GT    %VW{v2928}, %VW{v2926}", PIDField::None, nullptr, PIDLineUse::Always},
    {"ST   %L{l2}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 13 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xC6\xF4\xB6\xAF\xD7\xD4\xD5\xFB\xB6\xA8\x01M31.{n}  \xCA\xC7\xBB\xAD\xC3\xE6\xC6\xF4\xB6\xAF\xD7\xD4\xD5\xFB\xB6\xA8*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %M31.{n}", PIDField::None, nullptr, PIDLineUse::Always},
    {"OR(", PIDField::None, nullptr, PIDLineUse::Always},
    {"LDN    %M31.{n}", PIDField::None, nullptr, PIDLineUse::Always},
    {"AND    %L{l1}", PIDField::None, nullptr, PIDLineUse::Always},
    {")", PIDField::None, nullptr, PIDLineUse::Always},
    {"ST   %SM249.{n}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 14 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*VB{v2940}\xBF\xAA\xCA\xBC\xB5\xC4" "44\xB8\xF6\xD7\xD6\xBD\xDA\xD3\xC3\xD3\xDAPID_{n}\xB5\xC4\xD7\xD4\xD5\xFB\xB6\xA8*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {v2940}, %SMW{smw}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 15 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xD7\xD4\xD5\xFB\xB6\xA8\xBF\xD8 PID\xD7\xD4\xD5\xFB\xB6\xA8\xB5\xC4\xC5\xE4\xD6\xC3\xD7\xD6\xBD\xDA\xA3\xAC\xB4\xE6\xB7\xC5\xD4\xDA\xCF\xE0\xD3\xA6PID\xB5\xC4\xD7\xD4\xD5\xFB\xB6\xA8\xB2\xCE\xCA\xFD\xB1\xED\xD6\xD0\xA1\xA3 \x01\x01\xC5\xE4\xD6\xC3\xD7\xD6\xBD\xDA\xCE\xBB\xB5\xC4\xCB\xB3\xD0\xF2   DR1  DR0  PT1  PT0  DS  HS  \xB1\xA3\xC1\xF4  \xB1\xA3\xC1\xF4\x01\x01" "DR1  DR0:\xB6\xAF\xCC\xAC\xCF\xEC\xD3\xA6\xC0\xE0\xD0\xCD\xD1\xA1\xD4\xF1  0 0 = \xBF\xEC\xCB\xD9 (1X)     0 1 = \xD6\xD0\xCB\xD9(1/2X)\x01                           1 0 = \xC2\xFD\xCB\xD9 (1/4X)    1 1 = \xB7\xC7\xB3\xA3\xC2\xFD\xCB\xD9(1/8X)\x01PT1  PT0:PID \xC0\xE0\xD0\xCD    00:PID     01:PI    10:PD    11:P\x01" "DS\xA3\xBA 0=\xCA\xB9\xD3\xC3\xD3\xC3\xBB\xA7\xC9\xE8\xB6\xA8\xB5\xC4\xC6\xAB\xB2\xEE\xD6\xB5\xA3\xAC" "1\xA3\xBD\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xC6\xAB\xB2\xEE\xD6\xB5\x01HS\xA3\xBA 0\xA3\xBD\xCA\xB9\xD3\xC3\xD3\xC3\xBB\xA7\xC9\xE8\xB6\xA8\xB5\xC4\xD6\xCD\xBA\xF3\xD6\xB5\xA3\xAC" "1\xA3\xBD\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xD6\xCD\xBA\xF3\xD6\xB5\x01\x01\xD6\xCD\xBA\xF3\xD6\xB5\xBA\xCD\xC6\xAB\xB2\xEE\xD6\xB5\xBF\xC9\xD2\xD4\xCA\xD6\xB6\xAF\xC9\xE8\xB6\xA8\xA3\xAC\xD2\xB2\xBF\xC9\xD2\xD4\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xA3\xAC\xD7\xD4\xB6\xAF\xD6\xF7\xBC\xC6\xCB\xE3\xBA\xC4\xCA\xB1\xBF\xC9\xC4\xDC\xB1\xC8\xBD\xCF\xB3\xA4\xA1\xA3\x01\xC8\xF4\xC4\xDC\xB9\xBB\xB8\xF9\xBE\xDD\xB1\xBB\xBF\xD8\xB6\xD4\xCF\xF3\xB5\xC4\xCA\xB5\xBC\xCA\xC7\xE9\xBF\xF6\xC0\xB4\xC9\xE8\xD6\xC3\xBA\xCF\xC0\xED\xB5\xC4\xD6\xCD\xBA\xF3\xD6\xB5\xA3\xAC\xC4\xC7\xC3\xB4\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xB9\xFB\xD2\xB2\xBB\xE1\xB1\xC8\xBD\xCF\xBA\xC3\xA1\xA3*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VB{v2940}", PIDField::TuneControl, "B#16#%X", PIDLineUse::Always},
    {"(* Network 16 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xBC\xC6\xCB\xE3\xB3\xF5\xCA\xBC\xBC\xCC\xB5\xE7\xCA\xE4\xB3\xF6\xD6\xB5\xCA\xB1\xB6\xD4PV\xB5\xC4\xB2\xC9\xD1\xF9\xC2\xCB\xB2\xA8\xCA\xB1\xBC\xE4\xA3\xA8\xC3\xEB\xA3\xA9\xA3\xBA" "BYTE\xD0\xCD\xA3\xAC\xCA\xE4\xC8\xEB\xA3\xBB 0\xB1\xED\xCA\xBE\xB2\xBB\xC2\xCB\xB2\xA8*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VB{v2943}", PIDField::PVFIL, "B#%d", PIDLineUse::Always},
    {"(* Network 17 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*HYS \x01\xC6\xDA\xCD\xFB\xB5\xC4\xD6\xCD\xBA\xF3\xC6\xAB\xB2\xEE\xD6\xB5\xA3\xAC\xD3\xC9\xD3\xC3\xBB\xA7\xC9\xE8\xB6\xA8\xA1\xA3\xD3\xD0\xD0\xA7\xB5\xC4\xD6\xB5\xB7\xB6\xCE\xA7\xA3\xBA 0.005 to 0.1, \xC8\xB1\xCA\xA1\xD6\xB5\xCE\xAA" "0.02 \xA1\xA3\x01\xC8\xF4 HYS < 0.005, HYS \xBB\xE1\xB1\xBB\xCF\xDE\xB6\xA8\xCE\xAA" "0.005\xA3\xBB\x01\xC8\xF4HYS >0.1\xCA\xB1, \xBB\xE1\xB2\xFA\xC9\xFA\xC5\xE4\xD6\xC3\xB4\xED\xCE\xF3\xA3\xBA\xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xC9\xE8\xD6\xC3\xBD\xE1\xB9\xFB\xA1\xA3*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VR{v2944}", PIDField::HYS, "%f", PIDLineUse::Always},
    {"(* Network 18 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*DEV\x01\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xC6\xAB\xB2\xEE\xC9\xCF\xCF\xDE\xD6\xB5\xA1\xA3\xD3\xD0\xD0\xA7\xB5\xC4\xD6\xB5\xB7\xB6\xCE\xA7\xA3\xBA 0.025\xA1\xAB" "0.25, \xC8\xB1\xCA\xA1\xD6\xB5\xCE\xAA" "0.08\xA1\xA3\x01\xC8\xF4" "DEV <4\xA1\xC1HYS\xA3\xAC\xD4\xF2\xB2\xFA\xC9\xFAW0\xB1\xA8\xBE\xAF\xA1\xA3\x01\xC8\xF4" "DEV<=HYS\xBB\xF2" "DEV > 0.45\xA3\xAC\xB2\xFA\xC9\xFA\xC5\xE4\xD6\xC3\xB4\xED\xCE\xF3\xA3\xBA\xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xC9\xE8\xD6\xC3\xBD\xE1\xB9\xFB\xA1\xA3*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VR{v2948}", PIDField::DEV, "%f", PIDLineUse::Always},
    {"(* Network 19 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*STEP\x01\xD3\xC3\xBB\xA7\xD6\xB8\xB6\xA8\xB5\xC4\xB3\xF5\xCA\xBC\xCA\xE4\xB3\xF6\xBD\xD7\xD4\xBE\xD6\xB5\xA1\xA3\xD3\xD0\xD0\xA7\xB5\xC4\xD6\xB5\xB7\xB6\xCE\xA7\xA3\xBA" "0.05 \xA1\xAB" "0.4, \xC8\xB1\xCA\xA1\xD6\xB5\xCE\xAA" "0.1\xA1\xA3\x01\xC8\xF4STEP <= 0.0\xBB\xF2STEP > 0.4\xCA\xB1, \xBB\xE1\xB2\xFA\xC9\xFA\xC5\xE4\xD6\xC3\xB4\xED\xCE\xF3\xA3\xBA\xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xC9\xE8\xD6\xC3\xBD\xE1\xB9\xFB\xA1\xA3*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VR{v2952}", PIDField::STEP, "%f", PIDLineUse::Always},
    {"(* Network 20 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*WDG\x01\xD3\xC9\xD3\xC3\xBB\xA7\xC9\xE8\xB6\xA8\xB5\xC4\xD7\xD4\xD5\xFB\xB6\xA8\xBF\xB4\xC3\xC5\xB9\xB7\xCA\xB1\xBC\xE4\xA1\xA3\xC8\xF4\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xB3\xAC\xB3\xF6\xB8\xC3\xC9\xE8\xB6\xA8\xCA\xB1\xBC\xE4\xA3\xAC\xBD\xAB\xD6\xD5\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xB5\xC4\xD6\xB4\xD0\xD0\xA3\xAC\xB2\xA2\xD4\xDA\xD6\xB4\xD0\xD0\xBD\xE1\xB9\xFB\xD7\xD6\xBD\xDA\xD6\xD0\xBD\xF8\xD0\xD0\xB4\xED\xCE\xF3\xB1\xEA\xCA\xB6\xA1\xA3\x01\xD3\xD0\xD0\xA7\xB7\xB6\xCE\xA7\xCE\xAA\xA3\xBA" "60\xA1\xAB" "7200\xA3\xA8\xB5\xA5\xCE\xBB\xA3\xBA\xC3\xEB\xA3\xA9\xA3\xAC\xC8\xB1\xCA\xA1\xD6\xB5\xCE\xAA" "7200\xA1\xA3\x01\xC8\xF4WDG\xD0\xA1\xD3\xDA" "60\xC3\xEB\xA3\xAC\xBE\xCD\xBB\xE1\xB2\xFA\xC9\xFA\xC5\xE4\xD6\xC3\xB4\xED\xCE\xF3\xA3\xBA\xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xC9\xE8\xD6\xC3\xBD\xE1\xB9\xFB\xA1\xA3*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    {val}, %VR{v2956}", PIDField::WDG, "%f", PIDLineUse::Always},
    {"(* Network 21 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*PID\xD7\xD4\xD5\xFB\xB6\xA8\xB5\xC4\xD7\xB4\xCC\xAC\xD7\xD6\xBD\xDA\xA3\xAC\xB4\xE6\xB7\xC5\xD4\xDA\xCF\xE0\xD3\xA6PID\xB5\xC4\xD7\xD4\xD5\xFB\xB6\xA8\xB2\xCE\xCA\xFD\xB1\xED\xD6\xD0\xA1\xA3\x01   7                                               0\x01   W3    W2    W1    W0    \xB1\xA3\xC1\xF4    ST2    ST1    ST0\x01\x01ST2 ST1 ST0\xA3\xBA\xD7\xD4\xD5\xFB\xB6\xA8\xD7\xB4\xCC\xAC\xA3\xAC\xD6\xB8\xC3\xF7\xB5\xB1\xC7\xB0\xD5\xFD\xB4\xA6\xD3\xDAPID\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xB5\xC4\xC4\xC4\xD2\xBB\xD6\xD6\xD7\xB4\xCC\xAC\xA1\xA3\x01" "0\xA3\xBA \xCE\xB4\xBF\xAA\xCA\xBC\xD7\xD4\xD5\xFB\xB6\xA8\xA1\xA3\x01" "1\xA3\xBA\xD5\xFD\xD4\xDA\xB2\xC9\xBC\xAF\xBB\xF9\xD7\xBC\xCA\xE4\xB3\xF6\xD6\xB5\xA1\xA3\x01" "2\xA3\xBA\xD5\xFD\xD4\xDA\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xD6\xCD\xBA\xF3\xD6\xB5\xA1\xA3\x01" "3\xA3\xBA\xB4\xA6\xC8\xEB\xB5\xDA" "1\xB8\xF6\xB9\xFD\xB6\xC9\xB9\xFD\xB3\xCC\xA1\xA3\x01" "4\xA3\xBA\xD5\xFD\xD4\xDA\xD7\xD4\xB6\xAF\xBC\xC6\xCB\xE3\xCA\xE4\xB3\xF6\xBD\xD7\xD4\xBE\xD6\xB5\xA1\xA3\x01" "5\xA3\xBA\xB5\xDA" "2\xB8\xF6\xB9\xFD\xB6\xC9\xB9\xFD\xB3\xCC\xA1\xA3\x01" "6\xA3\xBA\xB4\xA6\xD3\xDA\xB2\xE2\xC1\xBF\xC7\xF8\xA1\xA3 \x01" "7\xA3\xBA\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xCD\xEA\xB3\xC9\xA1\xA3\x01\xD7\xA2\xA3\xBA\xC3\xBF\xB4\xCE\xC9\xA8\xC3\xE8\xB3\xCC\xD0\xF2\xCA\xB1\xA3\xAC\xB6\xBC\xD2\xAA\xB8\xF9\xBE\xDD\xCA\xB5\xBC\xCA\xD7\xB4\xCC\xAC\xC0\xB4\xC9\xE8\xD6\xC3\xD5\xE2\xD0\xA9\xCE\xBB\xA1\xA3\x01\x01W2 W1 W0\xA3\xBA\xD7\xD4\xD5\xFB\xB6\xA8\xB2\xFA\xC9\xFA\xB5\xC4\xB1\xA8\xBE\xAF\xA1\xA3\xB1\xA8\xBE\xAF\xB7\xA2\xC9\xFA\xBA\xF3\xA3\xAC\xD7\xD4\xD5\xFB\xB6\xA8\xBC\xCC\xD0\xF8\xD4\xCB\xD0\xD0\xA3\xAC\xB5\xAB\xBD\xE1\xB9\xFB\xBF\xC9\xC4\xDC\xCA\xC7\xD7\xD4\xD5\xFB\xB6\xA8\xCA\xA7\xB0\xDC\xBB\xF2\xD5\xDF\xB5\xC3\xB2\xBB\xB5\xBD\xD7\xEE\xD3\xC5\xB5\xC4PID\xB2\xCE\xCA\xFD\xA3\xBB\xC1\xED\xCD\xE2\xA3\xAC\xB1\xA8\xBE\xAF\xD2\xBB\xB5\xA9\xB2\xFA\xC9\xFA\xA3\xAC\xBD\xAB\xD2\xBB\xD6\xB1\xB1\xA3\xB3\xD6\xB5\xBD\xCF\xC2\xD2\xBB\xB4\xCE\xD7\xD4\xD5\xFB\xB6\xA8\xBF\xAA\xCA\xBC\xA1\xA3\x01W0   \xB5\xB1\xBC\xC6\xCB\xE3\xB5\xC3\xB5\xBD\xB5\xC4" "AT_HYS \xD0\xA1\xD3\xDA 0.005\xA3\xAC\xB2\xFA\xC9\xFA\xB1\xA8\xBE\xAF" "0\xA3\xBB\x01W1  \xC8\xF4\xC6\xAB\xB2\xEE\xD6\xB5\xA3\xA8" "DEV\xBB\xF2" "AT_DEV\xA3\xA9\xD0\xA1\xD3\xDA\xD6\xCD\xBA\xF3\xD6\xB5\xA3\xA8HYS\xBB\xF2" "AT_HYS\xA3\xA9\xB5\xC4" "4\xB1\xB6\xA3\xAC\xD4\xF2\xB2\xFA\xC9\xFA\xB1\xA8\xBE\xAF" "1\xA1\xA3\x01W2   \xD4\xDA\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xD7\xEE\xBF\xAA\xCA\xBC\xB5\xC4" "2.5\xB8\xF6\xD1\xAD\xBB\xB7\xD6\xDC\xC6\xDA\xC4\xDA\xA3\xAC\xC8\xE7\xB9\xFB\xC1\xBD\xB4\xCE\xB7\xE5\xD6\xB5\xCE\xF3\xB2\xEE\xB3\xAC\xB9\xFD\xD6\xCD\xBA\xF3\xD6\xB5" "8\xB1\xB6\xA3\xAC\xB2\xFA\xC9\xFA\xB1\xA8\xBE\xAF" "2\x01W3   \xC8\xE7\xB9\xFB\xB2\xE2\xCA\xD4\xB5\xBD\xB5\xC4\xC6\xBD\xBE\xF9\xB7\xE5\xD6\xB5\xCE\xF3\xB2\xEE\xC3\xBB\xD3\xD0\xB3\xAC\xB9\xFD\xD6\xCD\xBA\xF3\xD6\xB5\xB5\xC3" "3\xB1\xB6\xA3\xAC\xB2\xFA\xC9\xFA\xB1\xA8\xBE\xAF" "3\x01\x01\xC8\xE7\xD0\xE8\xD2\xAA\xC0\xEF\xC3\xE6\xB5\xC4\xC4\xDA\xC8\xDD,\xBF\xC9\xB5\xA5\xB6\xC0\xC8\xA1\xB3\xF6\xCA\xB9\xD3\xC3*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    %VB{v2941}, %VB{v2941}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 22 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xCB\xB5\xC3\xF7  END  RESULT\x01" "END: \xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xCD\xEA\xB3\xC9\xB1\xEA\xD6\xBE (1 = \xCD\xEA\xB3\xC9, 0 = \xCE\xB4\xCD\xEA\xB3\xC9)\x01RESULT   : \x01" "0 =  \xD5\xFD\xB3\xA3\xCD\xEA\xB3\xC9\x01" "1 =\xA1\xA1\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xD6\xD0\xD3\xC3\xBB\xA7\xC8\xA1\xCF\xFB\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xA8\xBD\xAB" "EN\xB8\xB4\xCE\xBB\xA3\xA9\x01" "2 =  \xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xD4\xAD\xD2\xF2\xCA\xC7\xD7\xD4\xD5\xFB\xB6\xA8\xB9\xFD\xB3\xCC\xD6\xD0\xD3\xC3\xBB\xA7\xBD\xABPID\xB8\xC4\xCE\xAA\xCA\xD6\xB6\xAF\xD7\xB4\xCC\xAC\xA1\xA3\x01" "3 =\xA1\xA1\xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xD4\xAD\xD2\xF2\xCA\xC7\xBF\xB4\xC3\xC5\xB9\xB7\xB3\xAC\xCA\xB1\xA1\xA3\x01" "4 =   \xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xD4\xAD\xD2\xF2\xCA\xC7\xD6\xCD\xBA\xF3\xD6\xB5\xB3\xAC\xB3\xF6\xC1\xCB\xD7\xEE\xB4\xF3\xD6\xB5\xA1\xA3\x01" "5 =  \xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xD4\xAD\xD2\xF2\xCA\xC7\xB2\xCE\xCA\xFD\xC5\xE4\xD6\xC3\xB4\xED\xCE\xF3\xA3\xA8\xC6\xAB\xB2\xEE\xD6\xB5\xA1\xA2\xBD\xD7\xD4\xBE\xD6\xB5\xA1\xA2\xBF\xB4\xC3\xC5\xB9\xB7\xCA\xB1\xBC\xE4\xB6\xCC\xB5\xC8\xA3\xA9\x01" "6 \xA3\xBD \xCD\xA3\xD6\xB9\xD7\xD4\xD5\xFB\xB6\xA8\xA3\xAC\xD4\xAD\xD2\xF2\xCA\xC7\xBC\xC6\xCB\xE3\xB4\xED\xCE\xF3\xA3\xAC\xB1\xC8\xC8\xE7\xB1\xBB" "0\xB3\xFD\xA1\xA3\x01\x01\x01\xC8\xE7\xD0\xE8\xD2\xAA\xC0\xEF\xC3\xE6\xB5\xC4\xC4\xDA\xC8\xDD,\xBF\xC9\xB5\xA5\xB6\xC0\xC8\xA1\xB3\xF6\xCA\xB9\xD3\xC3*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.1", PIDField::None, nullptr, PIDLineUse::Always},
    {"MOVE    %VB{v2942}, %VB{v2942}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 23 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xD7\xD4\xD5\xFB\xB6\xA8\xBD\xE1\xCA\xF8,\xB0\xD1\xC3\xE6\xB0\xE5\xC9\xCF\xB5\xC4\xB1\xEA\xBC\xC7\xB8\xB4\xCE\xBB*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %V{v2942}.7", PIDField::None, nullptr, PIDLineUse::Always},
    {"R_TRIG", PIDField::None, nullptr, PIDLineUse::Always},
    {"R    %M31.{n}", PIDField::None, nullptr, PIDLineUse::Always},
    {"(* Network 24 *)", PIDField::None, nullptr, PIDLineUse::Always},
    {"(*\xB1\xC8\xC0\xFD\xCF\xB5\xCA\xFDVR{r3898}  \xBB\xFD\xB7\xD6\xCA\xB1\xBC\xE4VR{r3894}  \xCE\xA2\xB7\xD6\xCA\xB1\xBC\xE4  VR{r3890} \xB7\xD6\xB1\xF0\xB7\xC5\xC8\xEB .VR{v2984} VR{v2988} VR{v2992}*)", PIDField::None, nullptr, PIDLineUse::Always},
    {"LD    %SM0.0", PIDField::None, nullptr, PIDLineUse::Always},
    {"BLKMOVE  %VB{r3890}, %VB{v2984}, B#12\x09", PIDField::None, nullptr, PIDLineUse::Always},
};

// How the memory of loop n moves from that of loop 0.
constexpr int V_BLOCK_STRIDE = 100;    // V addresses 2900..2999: minus 100 n
constexpr int REGISTER_STRIDE = 12;    // KP, TR, TD registers from VR3898: minus 12 n
constexpr int LOCAL_WORD_STRIDE = 6;   // LW16, LW18, LW20: plus 6 n
constexpr int LOCAL_BIT_STRIDE = 4;    // L0.0..L0.3: local bit 4 n + k
constexpr int BITS_PER_BYTE = 8;
constexpr int TUNE_POINTER_WORD = 250; // SMW250: plus 2 n
constexpr int FIRST_TIMER = 19;        // T19: minus n

bool IsFloatField(PIDField field)
{
    switch (field) {
    case PIDField::KP: case PIDField::TR: case PIDField::TD:
    case PIDField::HYS: case PIDField::DEV: case PIDField::STEP: case PIDField::WDG:
        return true;
    default:
        return false;
    }
}

double FloatValue(const CPIDLoopConfig& c, PIDField field)
{
    switch (field) {
    case PIDField::KP: return c.KP;
    case PIDField::TR: return c.TR;
    case PIDField::TD: return c.TD;
    case PIDField::HYS: return c.HYS;
    case PIDField::DEV: return c.DEV;
    case PIDField::STEP: return c.STEP;
    default: return c.WDG;
    }
}

int IntValue(const CPIDLoopConfig& c, PIDField field)
{
    switch (field) {
    case PIDField::PV_H: return c.PV_H;
    case PIDField::PV_L: return c.PV_L;
    case PIDField::XOUTP_H: return c.XOUTP_H;
    case PIDField::XOUTP_L: return c.XOUTP_L;
    case PIDField::CYCLE: return c.CYCLE;
    case PIDField::DutyPeriod: return c.DutyPeriod;
    case PIDField::TuneControl: return c.TuneControl;
    default: return c.PVFIL;
    }
}

std::string FormatValue(const PIDTemplateLine& line, const CPIDLoopConfig& config)
{
    if (IsFloatField(line.field))
        return ByteString::Format(line.conversion, FloatValue(config, line.field));
    return ByteString::Format(line.conversion, IntValue(config, line.field));
}

// The text of one {key} for loop n.
std::string ExpandKey(const std::string& key, int n, const std::string& value)
{
    if (key == "val")
        return value;
    if (key == "n")
        return std::to_string(n);
    if (key == "smw")
        return std::to_string(TUNE_POINTER_WORD + 2 * n);
    if (key == "t")
        return std::to_string(FIRST_TIMER - n);
    const int number = std::atoi(key.c_str() + (key[0] == 'l' && key[1] == 'w' ? 2 : 1));
    if (key[0] == 'v')
        return std::to_string(number - V_BLOCK_STRIDE * n);
    if (key[0] == 'r')
        return std::to_string(number - REGISTER_STRIDE * n);
    if (key[1] == 'w')
        return std::to_string(number + LOCAL_WORD_STRIDE * n);
    const int bit = LOCAL_BIT_STRIDE * n + number;
    return ByteString::Format("%d.%d", bit / BITS_PER_BYTE, bit % BITS_PER_BYTE);
}

std::string ExpandLine(const PIDTemplateLine& line, int n, const CPIDLoopConfig& config)
{
    const std::string value = line.field == PIDField::None ? std::string() : FormatValue(line, config);
    const std::string text = line.text;
    std::string result;
    size_t pos = 0;
    for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', pos)) {
        const size_t close = text.find('}', open);
        result += text.substr(pos, open - pos);
        result += ExpandKey(text.substr(open + 1, close - open - 1), n, value);
        pos = close + 1;
    }
    return result + text.substr(pos);
}

} // namespace

BOOL BuildPIDLoopIL(int loop, const CPIDLoopConfig& config, std::vector<std::string>& lines)
{
    if (loop < 0 || loop >= PID_LOOPS_USED)
        return FALSE;
    const PIDLineUse skipped = config.AnalogOutput ? PIDLineUse::Switched : PIDLineUse::Analog;
    for (const PIDTemplateLine& line : PID_TEMPLATE) {
        if (line.use != skipped)
            lines.push_back(ExpandLine(line, loop, config));
    }
    return TRUE;
}

void BuildPIDLoopIL0(const CZULAppData& app, std::vector<std::string>& lines) { BuildPIDLoopIL(0, app.PIDLoops[0], lines); }
void BuildPIDLoopIL1(const CZULAppData& app, std::vector<std::string>& lines) { BuildPIDLoopIL(1, app.PIDLoops[1], lines); }
void BuildPIDLoopIL2(const CZULAppData& app, std::vector<std::string>& lines) { BuildPIDLoopIL(2, app.PIDLoops[2], lines); }
void BuildPIDLoopIL3(const CZULAppData& app, std::vector<std::string>& lines) { BuildPIDLoopIL(3, app.PIDLoops[3], lines); }
void BuildPIDLoopIL4(const CZULAppData& app, std::vector<std::string>& lines) { BuildPIDLoopIL(4, app.PIDLoops[4], lines); }
void BuildPIDLoopIL5(const CZULAppData& app, std::vector<std::string>& lines) { BuildPIDLoopIL(5, app.PIDLoops[5], lines); }
void BuildPIDLoopIL6(const CZULAppData& app, std::vector<std::string>& lines) { BuildPIDLoopIL(6, app.PIDLoops[6], lines); }
void BuildPIDLoopIL7(const CZULAppData& app, std::vector<std::string>& lines) { BuildPIDLoopIL(7, app.PIDLoops[7], lines); }

BOOL BuildCurrentPIDLoopIL(const CZULAppData& app, std::vector<std::string>& lines)
{
    using Builder = void (*)(const CZULAppData&, std::vector<std::string>&);
    static constexpr Builder BUILDERS[PID_LOOPS_USED] = {BuildPIDLoopIL0, BuildPIDLoopIL1, BuildPIDLoopIL2,
                                                         BuildPIDLoopIL3, BuildPIDLoopIL4, BuildPIDLoopIL5,
                                                         BuildPIDLoopIL6, BuildPIDLoopIL7};
    const int n = app.CurrentPIDLoop;
    if (n < 0 || n >= PID_LOOPS_USED)
        return FALSE;
    BUILDERS[n](app, lines);
    return TRUE;
}
