"""Finds the Debian programs the match scripts drive, installing their packages when missing."""
import os
import shutil
import subprocess

GAMES_DIR = '/usr/games'  # Debian puts chess programs here, often outside root's PATH
SEARCH_PATH = os.environ.get('PATH', '') + os.pathsep + GAMES_DIR


def program(name, package=None):
    """Full path of the program NAME; installs Debian's PACKAGE (default: NAME) first when it is missing."""
    path = shutil.which(name, path=SEARCH_PATH)
    if path:
        return path
    environment = dict(os.environ, DEBIAN_FRONTEND='noninteractive')
    subprocess.run(['apt-get', 'update'], check=True, env=environment)
    subprocess.run(['apt-get', 'install', '-y', package or name], check=True, env=environment)
    path = shutil.which(name, path=SEARCH_PATH)
    if not path:
        raise SystemExit('%s: not found after installing %s' % (name, package or name))
    return path
