"""Converts inputs through the real Mozc engine (mozc_emacs_helper, package emacs-mozc-bin) with a
user dictionary of given entries, on a scratch home, as the user nobody when run as root (Mozc
does not run as root).

As a program: mozc_convert.py DICTIONARY|- < inputs, where DICTIONARY holds `pukalo
--dictionary`'s lines; prints for each input a line: the input, its first conversion, then
every candidate of its first segment, separated by tabs."""
import os
import pwd
import re
import shutil
import subprocess
import tempfile

# Mozc's UserDictionary.PosType numbers for the parts of speech its dictionary tool names.
PARTS_OF_SPEECH = {"名詞": 1, "短縮よみ": 2, "サジェストのみ": 3, "記号": 14, "顔文字": 15,
                   "感動詞": 19, "接頭語": 20, "接尾一般": 22}


def _varint(n):
    out = b""
    while True:
        out += bytes([n & 0x7F | (0x80 if n > 0x7F else 0)])
        n >>= 7
        if not n:
            return out


def _text(field, s):
    b = s.encode()
    return _varint(field << 3 | 2) + _varint(len(b)) + b


def _number(field, n):
    return _varint(field << 3) + _varint(n)


def storage(entries):
    """Mozc's user_dictionary.db (its UserDictionaryStorage protobuf) holding these entries:
    (reading, word, part of speech) each."""
    body = b""
    for reading, word, pos in entries:
        entry = _text(1, reading) + _text(2, word) + _number(5, PARTS_OF_SPEECH[pos])
        body += _varint(4 << 3 | 2) + _varint(len(entry)) + entry
    dictionary = _number(1, 1) + _number(2, 1) + _text(3, "Pukalo") + body
    return _varint(2 << 3 | 2) + _varint(len(dictionary)) + dictionary


def _values(text):
    return [v.replace('\\"', '"').replace("\\\\", "\\")
            for v in re.findall(r'\(value \. "((?:[^"\\]|\\.)*)"\)', text)]


def _suggestions(out):
    """The suggestion window shown under the preedit while typing, before any conversion."""
    window = re.search(r"\(candidates \.(.*?)\(category \. suggestion\)", out.split("(status", 1)[0], re.S)
    return _values(window.group(1)) if window else []


def convert(entries, inputs):
    """For each input: (its first conversion, every candidate of its first segment, the
    suggestions shown while it was typed)."""
    home = tempfile.mkdtemp(prefix="pukalo-mozc-")
    os.makedirs(home + "/.config/mozc")
    if entries:
        with open(home + "/.config/mozc/user_dictionary.db", "wb") as f:
            f.write(storage(entries))
    command = ["env", "-i", "HOME=" + home, "PATH=/usr/bin:/bin", "mozc_emacs_helper"]
    if os.getuid() == 0:
        nobody = pwd.getpwnam("nobody")
        for root, dirs, files in os.walk(home):
            for name in dirs + files:
                os.chown(os.path.join(root, name), nobody.pw_uid, nobody.pw_gid)
        os.chown(home, nobody.pw_uid, nobody.pw_gid)
        os.chmod(home, 0o755)
        command = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"] + command
    helper = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, encoding="utf-8")
    helper.stdout.readline()
    asked = 0

    def ask(request):
        nonlocal asked
        helper.stdin.write(f"({asked} {request})\n")
        helper.stdin.flush()
        asked += 1
        return helper.stdout.readline()

    ask("CreateSession")
    results = []
    for text in inputs:
        typed = ask(f'SendKey 1 97 "{text}"')
        out = ask("SendKey 1 space")
        preedit = re.search(r"\(preedit \.(.*?)\(status", out, re.S)
        first = "".join(_values(preedit.group(1))) if preedit else ""
        candidates = _values(out.split("(all-candidate-words", 1)[1]) if "(all-candidate-words" in out else []
        results.append((first, candidates, _suggestions(typed)))
        for _ in range(3):
            ask("SendKey 1 escape")
    helper.kill()
    helper.wait()
    # The helper started the engine, which outlives it: end the one serving this home.
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                if f"HOME={home}".encode() in f.read().split(b"\0"):
                    os.kill(int(pid), 15)
        except OSError:
            pass
    shutil.rmtree(home, ignore_errors=True)
    return results


if __name__ == "__main__":
    import sys
    given = [] if sys.argv[1] == "-" else [
        line.split("\t")[:3] for line in open(sys.argv[1], encoding="utf-8").read().splitlines()]
    texts = [line.strip() for line in sys.stdin if line.strip()]
    for text, (first, candidates, _) in zip(texts, convert(given, texts)):
        print("\t".join([text, first] + candidates))
