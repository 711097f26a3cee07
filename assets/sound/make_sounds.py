#!/usr/bin/env python3
"""Generate Velmora's four wave files.

    python3 make_sounds.py [OUTPUT_DIR]

Writes 駒打音.wav (a piece set down), 禁止.wav (refusal buzz), その他.wav (chime)
and BGM.wav (background music loop) into OUTPUT_DIR, by default the folder of
this script. Standard library only; the output is the same on every run.

All files are mono 16-bit PCM at 22050 Hz, with a plain 44-byte header so that
any wave loader can read them.
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050
SEED = 20240611  # fixed: every run produces identical files

TWO_PI = 2.0 * math.pi


# ---------------------------------------------------------------------------
# Building blocks
# ---------------------------------------------------------------------------

def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def midi_hz(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def add_damped_sine(buf, start, freq, amp, tau, length, phase=0.0, wrap=False):
    """Add amp * exp(-t/tau) * sin(2 pi f t + phase) for `length` samples.

    Uses the two-term recurrence of a damped oscillator, which is exact and
    much faster than calling sin() per sample. With wrap=True the signal is
    folded back onto the start of the buffer (used for the seamless loop).
    """
    if freq >= RATE / 2 * 0.95:  # keep clear of aliasing
        return
    n_total = len(buf)
    w = TWO_PI * freq / RATE
    r = math.exp(-1.0 / (tau * RATE)) if tau > 0 else 1.0
    c = 2.0 * r * math.cos(w)
    r2 = r * r
    # s[n] = r^n sin(w n + phase)
    s_prev = math.sin(phase - w) / r  # n = -1
    s_cur = math.sin(phase)           # n = 0
    for n in range(length):
        i = start + n
        if wrap:
            i %= n_total
        elif i >= n_total:
            break
        buf[i] += amp * s_cur
        s_prev, s_cur = s_cur, c * s_cur - r2 * s_prev


def apply_envelope(segment, attack, release):
    """Linear fade-in over `attack` s and a cosine fade-out over the last `release` s."""
    n = len(segment)
    a = max(1, int(attack * RATE))
    for i in range(min(a, n)):
        segment[i] *= i / a
    r = max(1, int(release * RATE))
    for k in range(min(r, n)):
        i = n - 1 - k
        segment[i] *= 0.5 - 0.5 * math.cos(math.pi * k / r)


def mix_into(buf, segment, start, gain=1.0, wrap=False):
    n_total = len(buf)
    for k, v in enumerate(segment):
        i = start + k
        if wrap:
            i %= n_total
        elif i >= n_total:
            break
        buf[i] += gain * v


def resonator(signal, freq, q):
    """Two-pole band-pass filter (constant peak gain)."""
    w = TWO_PI * freq / RATE
    alpha = math.sin(w) / (2.0 * q)
    b0, b2 = alpha, -alpha
    a0, a1, a2 = 1.0 + alpha, -2.0 * math.cos(w), 1.0 - alpha
    b0, b2, a1, a2 = b0 / a0, b2 / a0, a1 / a0, a2 / a0
    out = []
    x1 = x2 = y1 = y2 = 0.0
    for x in signal:
        y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x
        y2, y1 = y1, y
        out.append(y)
    return out


def one_pole_lowpass(signal, cutoff):
    k = 1.0 - math.exp(-TWO_PI * cutoff / RATE)
    y = 0.0
    out = []
    for x in signal:
        y += k * (x - y)
        out.append(y)
    return out


def normalize(buf, peak):
    top = max(abs(v) for v in buf) or 1.0
    g = peak / top
    return [v * g for v in buf]


def write_wav(path, buf):
    frames = bytearray()
    for v in buf:
        s = int(round(v * 32767.0))
        s = 32767 if s > 32767 else (-32767 if s < -32767 else s)
        frames += struct.pack('<h', s)
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


# ---------------------------------------------------------------------------
# 駒打音.wav: a wooden piece put down on a wooden board
# ---------------------------------------------------------------------------

def wood_hit(rng, length, strength):
    """One contact: a band-passed noise tick plus the ringing of the wood."""
    hit = [0.0] * length
    # The tick: a few milliseconds of noise, shaped to the woody 1-4 kHz band.
    noise = [rng.uniform(-1.0, 1.0) * math.exp(-i / (0.0035 * RATE))
             for i in range(length)]
    tick = resonator(noise, 2300.0, 1.6)
    for i in range(length):
        hit[i] += 1.6 * tick[i]
    # Body modes of piece and board: inharmonic, short-lived.
    modes = ((190.0, 0.55, 0.022),   # board thump
             (860.0, 0.60, 0.016),
             (1420.0, 0.38, 0.011),
             (2310.0, 0.26, 0.0075),
             (3580.0, 0.14, 0.0045))
    for freq, amp, tau in modes:
        add_damped_sine(hit, 0, freq, amp, tau, length, phase=rng.uniform(0, 0.3))
    return [v * strength for v in hit]


def make_piece_sound():
    rng = random.Random(SEED + 1)
    buf = silence(0.120)
    n = len(buf)
    # The piece lands, then settles with a faint second contact.
    mix_into(buf, wood_hit(rng, n, 1.0), 0)
    bounce_at = int(0.013 * RATE)
    mix_into(buf, wood_hit(rng, n - bounce_at, 0.28), bounce_at)
    apply_envelope(buf, attack=0.0004, release=0.030)
    return normalize(buf, 0.75)


# ---------------------------------------------------------------------------
# 禁止.wav: a short, low "not allowed" buzz (two pulses, the second lower)
# ---------------------------------------------------------------------------

def buzz_pulse(freq, seconds):
    n = int(seconds * RATE)
    seg = [0.0] * n
    # Band-limited square-ish tone: odd harmonics with a gentle roll-off,
    # plus a little of the even ones so it sounds like a buzzer, not a clarinet.
    k = 1
    while k * freq < 3800.0:
        amp = (1.0 / k) * (1.0 if k % 2 else 0.25) * math.exp(-k * freq / 2600.0)
        add_damped_sine(seg, 0, k * freq, amp, 0.0, n)
        k += 1
    # A slight tremolo gives it a rough edge.
    for i in range(n):
        t = i / RATE
        seg[i] *= 1.0 - 0.18 * (0.5 + 0.5 * math.sin(TWO_PI * 32.0 * t))
    apply_envelope(seg, attack=0.006, release=0.035)
    return seg


def make_forbidden_sound():
    buf = silence(0.300)
    mix_into(buf, buzz_pulse(138.6, 0.125), 0)                      # C#3
    mix_into(buf, buzz_pulse(123.5, 0.135), int(0.160 * RATE))      # B2
    return normalize(buf, 0.36)


# ---------------------------------------------------------------------------
# その他.wav: a light two-note chime
# ---------------------------------------------------------------------------

def bell(freq, seconds, strength):
    n = int(seconds * RATE)
    seg = [0.0] * n
    partials = ((1.00, 1.00, 0.30),
                (2.00, 0.42, 0.17),
                (3.01, 0.16, 0.09),
                (4.16, 0.10, 0.05),
                (5.43, 0.05, 0.03))
    for ratio, amp, tau in partials:
        add_damped_sine(seg, 0, freq * ratio, amp * strength, tau, n)
    apply_envelope(seg, attack=0.002, release=0.060)
    return seg


def make_other_sound():
    buf = silence(0.650)
    mix_into(buf, bell(987.77, 0.650, 0.85), 0)                      # B5
    start = int(0.115 * RATE)
    mix_into(buf, bell(1318.51, 0.650 - 0.115, 1.0), start)          # E6
    apply_envelope(buf, attack=0.001, release=0.080)
    return normalize(buf, 0.60)


# ---------------------------------------------------------------------------
# BGM.wav: a calm eight-bar piece in C major that loops without a seam
# ---------------------------------------------------------------------------
#
# 72 beats per minute gives exactly 18375 samples per beat, so the eight bars
# of 4/4 are a whole number of samples (26.67 s). Every voice is rendered into
# a circular buffer: whatever rings past the last bar is folded onto the first,
# and the reverb runs over two passes of the loop so its state at the end
# matches its state at the start. Playing the file in a loop is then exactly
# the same as playing the music on without end.

BEAT = 18375           # samples per beat at 72 BPM, 22050 Hz
BAR = 4 * BEAT
BARS = 8

# (bar, beat, length in beats, MIDI note)
MELODY = (
    (0, 0.0, 1.5, 79), (0, 1.5, 0.5, 76), (0, 2.0, 1.0, 74), (0, 3.0, 1.0, 76),
    (1, 0.0, 2.0, 72), (1, 2.0, 1.0, 69), (1, 3.0, 1.0, 72),
    (2, 0.0, 1.5, 74), (2, 1.5, 0.5, 77), (2, 2.0, 1.5, 81), (2, 3.5, 0.5, 79),
    (3, 0.0, 1.0, 77), (3, 1.0, 1.0, 76), (3, 2.0, 2.0, 74),
    (4, 0.0, 1.5, 76), (4, 1.5, 0.5, 79), (4, 2.0, 1.5, 84), (4, 3.5, 0.5, 83),
    (5, 0.0, 2.0, 81), (5, 2.0, 1.0, 79), (5, 3.0, 1.0, 77),
    (6, 0.0, 1.5, 77), (6, 1.5, 0.5, 76), (6, 2.0, 1.0, 74), (6, 3.0, 1.0, 72),
    (7, 0.0, 3.0, 74),
)

# Soft sustained chords: (bar, beat, length in beats, notes)
PAD = (
    (0, 0, 4, (60, 64, 67, 71)),   # Cmaj7
    (1, 0, 4, (57, 60, 64, 67)),   # Am7
    (2, 0, 4, (57, 60, 62, 65)),   # Dm7
    (3, 0, 4, (55, 59, 62, 65)),   # G7
    (4, 0, 4, (55, 59, 60, 64)),   # Cmaj7
    (5, 0, 4, (53, 57, 60, 64)),   # Fmaj7
    (6, 0, 4, (53, 57, 60, 62)),   # Dm7
    (7, 0, 2, (55, 60, 62, 65)),   # G7sus4
    (7, 2, 2, (55, 59, 62, 65)),   # G7
)

# Bass: root on beat 1, fifth on beat 3
BASS = (
    (0, 0, 2, 48), (0, 2, 2, 43),
    (1, 0, 2, 45), (1, 2, 2, 40),
    (2, 0, 2, 50), (2, 2, 2, 45),
    (3, 0, 2, 43), (3, 2, 2, 50),
    (4, 0, 2, 48), (4, 2, 2, 43),
    (5, 0, 2, 41), (5, 2, 2, 48),
    (6, 0, 2, 38), (6, 2, 2, 45),
    (7, 0, 4, 43),
)

# Broken chords in eighth notes: four chord tones per half bar
ARP_TONES = (
    ((60, 64, 67, 71), (60, 64, 67, 71)),
    ((57, 64, 67, 72), (57, 64, 67, 72)),
    ((62, 65, 69, 72), (62, 65, 69, 72)),
    ((59, 62, 65, 67), (59, 62, 65, 67)),
    ((60, 64, 67, 71), (60, 64, 67, 71)),
    ((60, 65, 69, 72), (60, 65, 69, 72)),
    ((62, 65, 69, 72), (62, 65, 69, 72)),
    ((60, 62, 67, 72), (59, 62, 65, 67)),
)
ARP_PATTERN = (0, 1, 2, 3)


def at(bar, beat):
    return int(round(bar * BAR + beat * BEAT))


def melody_voice(buf, rng):
    """Music-box like bell: harmonic partials that fade, higher ones faster."""
    for bar, beat, length, note in MELODY:
        f = midi_hz(note)
        vel = 0.30 * rng.uniform(0.92, 1.0)
        ring = length * BEAT / RATE + 0.9
        n = int(ring * RATE)
        seg = [0.0] * n
        for ratio, amp, tau in ((1.0, 1.00, 1.10), (2.0, 0.30, 0.45),
                                (3.0, 0.10, 0.22), (4.0, 0.04, 0.12)):
            add_damped_sine(seg, 0, f * ratio, amp, tau, n)
        apply_envelope(seg, attack=0.005, release=0.70)
        mix_into(buf, seg, at(bar, beat), vel, wrap=True)


def pad_voice(buf):
    """Two slightly detuned sines per chord tone, slow to swell and to fade."""
    for bar, beat, length, notes in PAD:
        seconds = length * BEAT / RATE + 0.9  # overlaps the next chord: crossfade
        n = int(seconds * RATE)
        seg = [0.0] * n
        for note in notes:
            f = midi_hz(note)
            for detune, phase in ((0.9985, 0.0), (1.0015, 1.3)):
                add_damped_sine(seg, 0, f * detune, 0.5, 0.0, n, phase=phase)
            add_damped_sine(seg, 0, 2.0 * f, 0.06, 0.0, n)
        apply_envelope(seg, attack=0.55, release=1.4)
        mix_into(buf, seg, at(bar, beat), 0.040, wrap=True)


def bass_voice(buf, rng):
    for bar, beat, length, note in BASS:
        f = midi_hz(note)
        n = int((length * BEAT / RATE + 0.25) * RATE)
        seg = [0.0] * n
        add_damped_sine(seg, 0, f, 1.0, 1.6, n)
        add_damped_sine(seg, 0, 2.0 * f, 0.28, 0.6, n)
        add_damped_sine(seg, 0, 3.0 * f, 0.08, 0.3, n)
        apply_envelope(seg, attack=0.012, release=0.35)
        mix_into(buf, seg, at(bar, beat), 0.20 * rng.uniform(0.94, 1.0), wrap=True)


def arp_voice(buf, rng):
    """Soft plucked broken chords: bright at the attack, darker as they ring."""
    for bar in range(BARS):
        for half in range(2):
            tones = ARP_TONES[bar][half]
            for step in range(4):
                note = tones[ARP_PATTERN[step]]
                f = midi_hz(note)
                n = int(0.95 * RATE)
                seg = [0.0] * n
                for k in range(1, 7):
                    add_damped_sine(seg, 0, f * k, 1.0 / (k ** 1.6), 0.55 / k, n,
                                    phase=rng.uniform(0.0, TWO_PI))
                apply_envelope(seg, attack=0.004, release=0.30)
                # Lean on the first note of each group a little.
                vel = (0.085 if step == 0 else 0.065) * rng.uniform(0.9, 1.0)
                mix_into(buf, seg, at(bar, half * 2 + step * 0.5), vel, wrap=True)


def loop_reverb(dry):
    """Small Schroeder reverb run over the loop twice; the second pass is kept,
    so the tail that enters the first bar is the one the last bar leaves."""
    n = len(dry)
    combs = [[1557, 0.80], [1617, 0.79], [1491, 0.81], [1422, 0.80]]
    allpasses = [[225, 0.5], [556, 0.5]]
    comb_state = [([0.0] * d, [0]) for d, _ in combs]
    comb_lp = [0.0] * len(combs)
    ap_state = [([0.0] * d, [0]) for d, _ in allpasses]
    damp = 0.35
    wet = [0.0] * n
    for rep in range(2):
        for i in range(n):
            x = dry[i] * 0.25
            acc = 0.0
            for c, (d, g) in enumerate(combs):
                line, pos = comb_state[c]
                p = pos[0]
                y = line[p]
                comb_lp[c] = y * (1.0 - damp) + comb_lp[c] * damp
                line[p] = x + comb_lp[c] * g
                pos[0] = p + 1 if p + 1 < d else 0
                acc += y
            y = acc
            for a, (d, g) in enumerate(allpasses):
                line, pos = ap_state[a]
                p = pos[0]
                bufout = line[p]
                line[p] = y + bufout * g
                y = bufout - y * g
                pos[0] = p + 1 if p + 1 < d else 0
            if rep == 1:
                wet[i] = y
    return [dry[i] + 0.55 * wet[i] for i in range(n)]


def make_bgm():
    rng = random.Random(SEED + 4)
    buf = [0.0] * (BARS * BAR)
    pad_voice(buf)
    bass_voice(buf, rng)
    arp_voice(buf, rng)
    melody_voice(buf, rng)
    # A gentle, circular low-pass on the whole mix keeps it unobtrusive.
    buf = circular_lowpass(buf, 5200.0)
    buf = loop_reverb(buf)
    return normalize(buf, 0.42)


def circular_lowpass(buf, cutoff):
    # Run the filter over the loop twice so its state wraps around too.
    n = len(buf)
    once = one_pole_lowpass(buf + buf, cutoff)
    return once[n:]


# ---------------------------------------------------------------------------

def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out_dir, exist_ok=True)
    jobs = (("駒打音.wav", make_piece_sound),
            ("禁止.wav", make_forbidden_sound),
            ("その他.wav", make_other_sound),
            ("BGM.wav", make_bgm))
    for name, make in jobs:
        buf = make()
        path = os.path.join(out_dir, name)
        write_wav(path, buf)
        print("%-12s %6.3f s  %8d bytes" % (name, len(buf) / RATE, os.path.getsize(path)))


if __name__ == "__main__":
    main()
