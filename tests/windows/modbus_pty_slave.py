#!/usr/bin/env python3
"""A Modbus RTU slave on a pseudo-terminal, for the Windows poll test.

Prints the terminal's path on its first line, then answers read requests
(functions 1 to 4) of slave 1 until its standard input closes: coil or input
n is on when n is a multiple of 3, register n holds 1000 + n, an address from
5000 on gets exception 2 (illegal data address). Other slaves get no answer.
With a file name as its argument, it appends every request it reads there,
one frame in hex per line.
"""
import os
import select
import sys
import termios
import tty


def crc16(data):
    crc = 0xFFFF
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return bytes((crc & 0xFF, crc >> 8))


def answer(frame):
    if len(frame) != 8 or crc16(frame[:6]) != frame[6:] or frame[0] != 1:
        return None
    function = frame[1]
    start = (frame[2] << 8) | frame[3]
    count = (frame[4] << 8) | frame[5]
    if function not in (1, 2, 3, 4):
        body = bytes((1, function | 0x80, 1))
    elif start + count > 5000:
        body = bytes((1, function | 0x80, 2))
    elif function in (1, 2):
        bits = bytearray((count + 7) // 8)
        for i in range(count):
            if (start + i) % 3 == 0:
                bits[i // 8] |= 1 << (i % 8)
        body = bytes((1, function, len(bits))) + bytes(bits)
    else:
        words = b"".join((1000 + start + i).to_bytes(2, "big") for i in range(count))
        body = bytes((1, function, len(words))) + words
    return body + crc16(body)


def main():
    master, slave = os.openpty()
    tty.setraw(slave)
    attributes = termios.tcgetattr(slave)
    termios.tcsetattr(slave, termios.TCSANOW, attributes)
    print(os.ttyname(slave), flush=True)
    frame = b""
    while True:
        ready, _, _ = select.select([master, sys.stdin], [], [], 0.02)
        if sys.stdin in ready and not sys.stdin.buffer.read1(1):
            return
        if master in ready:
            try:
                frame += os.read(master, 256)
            except OSError:
                frame = b""
            continue
        if frame:
            if len(sys.argv) > 1:
                with open(sys.argv[1], "a", encoding="ascii") as log:
                    log.write(frame.hex() + "\n")
            reply = answer(frame)
            frame = b""
            if reply:
                os.write(master, reply)


if __name__ == "__main__":
    main()
