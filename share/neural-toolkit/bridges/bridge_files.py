"""How the Python bridges write their files, as the toolkit's programs write theirs.

write_files({path: text, ...}, inputs) refuses, before writing anything, an output that is one
of the inputs or that exists and is not a regular file (a device, a folder); then writes each
text to a temporary beside its target (a symbolic link is followed to the file it names) and,
once every one is whole, renames them into place: a failed run leaves no half-written file and
the old files as they were.
"""
import os
import tempfile


class OutputRefused(Exception):
    """An output that must not be written; the message says which and why."""


def _check(path, inputs):
    if not os.path.exists(path):
        return
    if not os.path.isfile(path):
        raise OutputRefused(f"{path}: exists and is not a regular file; name another output")
    for source in inputs:
        if source and os.path.exists(source) and os.path.samefile(source, path):
            raise OutputRefused(f"{path}: is one of the inputs; name another output")


def write_files(texts, inputs=()):
    """Writes every text of "texts" (path -> str, lines as given) whole, or none of them."""
    for path in texts:
        _check(path, inputs)
    umask = os.umask(0)
    os.umask(umask)
    written = []
    try:
        for path, text in texts.items():
            target = os.path.realpath(path)
            fd, temporary = tempfile.mkstemp(prefix=".bridge-", dir=os.path.dirname(target))
            written.append((temporary, target))
            with os.fdopen(fd, "w", newline="") as f:
                f.write(text)
            os.chmod(temporary, 0o666 & ~umask)
        for temporary, target in written:
            os.replace(temporary, target)
    except BaseException:
        for temporary, _ in written:
            if os.path.exists(temporary):
                os.unlink(temporary)
        raise
