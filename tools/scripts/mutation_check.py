#!/usr/bin/env python3
"""Measures the test suite's power: breaks the code on purpose, one fault at a time, and
reports which tests notice.

The faults are listed in mutations.txt beside this script. Each is applied to a scratch
copy of the working tree (so the real tree is never touched, even when the run is killed),
built incrementally in a Release build of its own, and the whole ctest suite is run against
it. A fault that does not build counts as not caught.

    tools/scripts/mutation_check.py                   # every fault, results in build-mut/results.tsv
    tools/scripts/mutation_check.py --only ID,ID      # some of them
    tools/scripts/mutation_check.py --compare OLD.tsv # also flag faults OLD caught and this run did not
    tools/scripts/mutation_check.py --list            # the faults, without running anything
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
FIELDS = ('id', 'subsystem', 'file', 'description')


def repository_root():
    return subprocess.run(['git', 'rev-parse', '--show-toplevel'], cwd=HERE, check=True,
                          capture_output=True, text=True).stdout.strip()


def read_mutations(path):
    """Blocks of 'key: value' lines separated by blank lines; '#' lines are comments. A block
    has id, subsystem, file, description and one or more original/replacement pairs, whose
    values are taken verbatim after 'original: ' and 'replacement: '."""
    mutations, block = [], None
    with open(path, encoding='utf-8') as text:
        for number, line in enumerate(text, 1):
            line = line.rstrip('\n')
            if line.startswith('#'):
                continue
            if not line.strip():
                block = None
                continue
            key, sep, value = line.partition(': ')
            if not sep:
                key, value = line.rstrip(':'), ''
            if block is None:
                block = {'edits': [], 'line': number}
                mutations.append(block)
            if key == 'original':
                block['edits'].append([value, None])
            elif key == 'replacement':
                if not block['edits'] or block['edits'][-1][1] is not None:
                    sys.exit('%s:%d: replacement without its original' % (path, number))
                block['edits'][-1][1] = value
            elif key in FIELDS:
                block[key] = value
            else:
                sys.exit('%s:%d: unknown key %r' % (path, number, key))
    ids = set()
    for m in mutations:
        missing = [f for f in FIELDS if f not in m]
        if missing or not m['edits'] or any(r is None for _, r in m['edits']):
            sys.exit('%s:%d: incomplete mutation (missing %s)' % (path, m['line'], ', '.join(missing) or 'edits'))
        if m['id'] in ids:
            sys.exit('%s:%d: duplicate id %s' % (path, m['line'], m['id']))
        ids.add(m['id'])
    return mutations


def tracked_files(root):
    out = subprocess.run(['git', 'ls-files', '-co', '--exclude-standard', '-z'], cwd=root, check=True,
                         capture_output=True).stdout
    return [f for f in out.decode().split('\0') if f and os.path.isfile(os.path.join(root, f))]


def export_revision(root, revision, directory):
    """The files of a commit, written out under directory (emptied first)."""
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    archive = subprocess.run(['git', 'archive', revision], cwd=root, check=True, capture_output=True).stdout
    subprocess.run(['tar', '-x', '-C', directory], input=archive, check=True)


def same_content(a, b):
    if not os.path.exists(b) or os.path.getsize(a) != os.path.getsize(b):
        return False
    with open(a, 'rb') as x, open(b, 'rb') as y:
        return x.read() == y.read()


def sync_tree(root, tree, files):
    """Makes the scratch tree equal to the files under root; files are rewritten only
    when their content differs, so the build stays incremental (and any fault a killed
    run left behind is repaired here)."""
    wanted = set(files)
    for name in files:
        source, target = os.path.join(root, name), os.path.join(tree, name)
        if not same_content(source, target):
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(source, target)
            shutil.copymode(source, target)
    for directory, _, names in os.walk(tree):
        for name in names:
            path = os.path.join(directory, name)
            if os.path.relpath(path, tree) not in wanted:
                os.remove(path)


def apply(tree, mutation):
    """Applies the edits; returns the file's original text, or raises ValueError when an
    original text is not found exactly once."""
    path = os.path.join(tree, mutation['file'])
    with open(path, encoding='utf-8') as f:
        original = f.read()
    text = original
    for old, new in mutation['edits']:
        count = text.count(old)
        if count != 1:
            raise ValueError('%s: %r found %d times in %s' % (mutation['id'], old, count, mutation['file']))
        text = text.replace(old, new)
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)
    return original


def restore(tree, mutation, original):
    with open(os.path.join(tree, mutation['file']), 'w', encoding='utf-8') as f:
        f.write(original)


def build(tree, build_dir, jobs, log):
    """'built' when everything built, 'compile-error' when the engine library does not
    compile, else 'build-step-failed': a later step of the build (the default book, which
    the build compiles with the engine's own move reader) failed, and the tests still run
    on all that did build."""
    if not os.path.exists(os.path.join(build_dir, 'CMakeCache.txt')):
        subprocess.run(['cmake', '-S', tree, '-B', build_dir, '-DCMAKE_BUILD_TYPE=Release'], check=True,
                       stdout=log, stderr=subprocess.STDOUT)
    command = ['cmake', '--build', build_dir, '-j', str(jobs)]
    if subprocess.run(command + ['--target', 'zorvak_core'], stdout=log, stderr=subprocess.STDOUT).returncode:
        return 'compile-error'
    if subprocess.run(command + ['--', '-k'], stdout=log, stderr=subprocess.STDOUT).returncode:
        return 'build-step-failed'
    return 'built'


def run_tests(build_dir, jobs, timeout, log):
    """Runs the whole suite; the names of the failed tests."""
    failed_log = os.path.join(build_dir, 'Testing', 'Temporary', 'LastTestsFailed.log')
    if os.path.exists(failed_log):
        os.remove(failed_log)
    subprocess.run(['ctest', '--test-dir', build_dir, '-j', str(jobs), '--timeout', str(timeout)], stdout=log,
                   stderr=subprocess.STDOUT)
    if not os.path.exists(failed_log):
        return []
    with open(failed_log) as f:
        # A parameterised test's name carries gtest's description of its parameter after '  #'.
        return sorted(line.strip().split(':', 1)[1].split('  #')[0].strip() for line in f if ':' in line)


def grouped(failed):
    """Test names with the rows of a parameterised test (ctest names them NAME/{ ROW })
    counted under NAME."""
    counts = {}
    for name in failed:
        base = name.split('/{', 1)[0]
        counts[base] = counts.get(base, 0) + 1
    return ['%s (%d rows)' % (n, c) if c > 1 else n for n, c in counts.items()]


def read_results(path):
    results = {}
    with open(path) as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            fields = line.rstrip('\n').split('\t')
            results[fields[0]] = fields[2:]
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--mutations', default=os.path.join(HERE, 'mutations.txt'))
    parser.add_argument('--only', help='comma-separated ids')
    parser.add_argument('--list', action='store_true', help='list the faults and stop')
    parser.add_argument('--work', help='scratch directory (default: build-mut in the repository)')
    parser.add_argument('--jobs', type=int, default=2)
    parser.add_argument('--timeout', type=int, default=300, help='seconds per test before ctest kills it')
    parser.add_argument('--results', help='results file (default: WORK/results.tsv)')
    parser.add_argument('--compare', help='an earlier results file: flag faults it caught and this run did not')
    parser.add_argument('--no-baseline', action='store_true', help='skip the run of the unbroken code')
    parser.add_argument('--revision', help='test the tree of this commit instead of the working tree')
    args = parser.parse_args()

    mutations = read_mutations(args.mutations)
    if args.only:
        wanted = args.only.split(',')
        unknown = [i for i in wanted if i not in {m['id'] for m in mutations}]
        if unknown:
            sys.exit('unknown ids: ' + ', '.join(unknown))
        mutations = [m for m in mutations if m['id'] in wanted]
    if args.list:
        for m in mutations:
            print('%-24s %-8s %-40s %s' % (m['id'], m['subsystem'], m['file'], m['description']))
        return 0

    root = repository_root()
    work = os.path.abspath(args.work or os.path.join(root, 'build-mut'))
    tree, build_dir = os.path.join(work, 'tree'), os.path.join(work, 'build')
    results_path = args.results or os.path.join(work, 'results.tsv')
    os.makedirs(tree, exist_ok=True)
    source = root
    if args.revision:
        source = os.path.join(work, 'revision')
        export_revision(root, args.revision, source)
        files = [os.path.relpath(os.path.join(d, n), source) for d, _, names in os.walk(source) for n in names]
    else:
        files = tracked_files(root)
    sync_tree(source, tree, files)
    for m in mutations:  # every fault must still apply to today's code
        path = os.path.join(tree, m['file'])
        if not os.path.exists(path):
            sys.exit('%s: no file %s' % (m['id'], m['file']))
        with open(path, encoding='utf-8') as f:
            text = f.read()
        for old, _ in m['edits']:
            if text.count(old) != 1:
                sys.exit('%s: %r found %d times in %s' % (m['id'], old, text.count(old), m['file']))

    log = open(os.path.join(work, 'mutation.log'), 'w')
    if not args.no_baseline:
        print('baseline: building and running the unbroken code', flush=True)
        if build(tree, build_dir, args.jobs, log) != 'built':
            sys.exit('the unbroken code does not build: see %s' % log.name)
        broken = run_tests(build_dir, args.jobs, args.timeout, log)
        if broken:
            sys.exit('the unbroken code fails: ' + ', '.join(broken))

    rows = []
    with open(results_path, 'w') as out:
        out.write('# id\tsubsystem\tstatus\tfailed tests (separated by " ; ")\n')
        for m in mutations:
            started = time.time()
            print('%s (%s): %s ... ' % (m['id'], m['subsystem'], m['description']), end='', flush=True)
            log.write('\n===== %s =====\n' % m['id'])
            log.flush()
            original = apply(tree, m)
            try:
                built = build(tree, build_dir, args.jobs, log)
                if built == 'compile-error':
                    failed, status = [], 'COMPILE-ERROR'
                else:
                    failed = run_tests(build_dir, args.jobs, args.timeout, log)
                    status = 'caught' if failed else 'SURVIVED'
                    if built == 'build-step-failed':
                        failed.insert(0, '(the default book did not build)')
            finally:
                restore(tree, m, original)
            print('%s (%d, %.0f s)' % (status, len(failed), time.time() - started), flush=True)
            out.write('%s\t%s\t%s\t%s\n' % (m['id'], m['subsystem'], status, ' ; '.join(failed)))
            out.flush()
            rows.append((m, status, failed))
    # Leave the scratch build matching the unbroken code.
    build(tree, build_dir, args.jobs, log)

    print('\n%-24s %-9s %-8s %s' % ('id', 'subsystem', 'status', 'caught by'))
    for m, status, failed in rows:
        shown = grouped(failed)
        shown = ', '.join(shown[:5]) + (' and %d more' % (len(shown) - 5) if len(shown) > 5 else '')
        print('%-24s %-9s %-8s %s' % (m['id'], m['subsystem'], status, shown))
    survivors = [m['id'] for m, status, _ in rows if status != 'caught']
    lost = []
    if args.compare:
        before = read_results(args.compare)
        lost = [m['id'] for m, status, _ in rows
                if m['id'] in before and before[m['id']][0] == 'caught' and status != 'caught']
        if lost:
            print('caught before, not now: ' + ', '.join(lost))
    print('%d of %d caught; results in %s' % (len(rows) - len(survivors), len(rows), results_path))
    return 1 if survivors or lost else 0


if __name__ == '__main__':
    sys.exit(main())
