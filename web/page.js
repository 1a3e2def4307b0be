// The page around the trainer: the screen in its canvas, the input sent to
// it, the data file kept in the browser (IndexedDB), the task picker and
// the buttons that start afresh, download, open and check the work.
'use strict';

const DATA_DIR = '/vxr';            // kept in IndexedDB
const DRIVE_C = DATA_DIR + '/c';
const DRIVE_A = DATA_DIR + '/a';
const DATA_FILE = DRIVE_C + '/DATAS/VXR.DAT';
const A_COPY = DRIVE_A + '/VXR.DAT';
const TASK_KEY = 'vxr.task';        // the task picked, in localStorage
const OWN_TASK_KEY = 'vxr.ownTask'; // an opened task description
const COMMAND_KEY = 'vxr.command';  // a command line to run at the next start

const $ = id => document.getElementById(id);
const canvas = $('screen');
const context = canvas.getContext('2d');

// What the tests and the buttons read: ready resolves at the first frame.
const page = window.vxrPage = { module: null, frames: 0, exitStatus: null };
page.ready = new Promise(resolve => { page.firstFrame = resolve; });

function chosenTask() { return localStorage.getItem(TASK_KEY) || 'lab'; }

// --- the screen ------------------------------------------------------------

function fitScreen() {
    const room = Math.min((innerWidth - 16) / canvas.width, (innerHeight - 140) / canvas.height);
    const factor = Math.max(1, Math.floor(room));
    canvas.style.width = canvas.width * factor + 'px';
    canvas.style.height = canvas.height * factor + 'px';
    page.scale = factor;
}
addEventListener('resize', fitScreen);

// Whether every pixel has the colour of the first: the window before the
// trainer has painted anything into it.
function blank(rgb) {
    for (let i = 3; i < rgb.length; ++i) if (rgb[i] !== rgb[i % 3]) return false;
    return true;
}

function showFrame(rgb, width, height) {
    // The page shows the trainer from its first painted frame on.
    if (page.frames === 0 && blank(rgb)) return;
    if (canvas.width !== width || canvas.height !== height) {
        canvas.width = width;
        canvas.height = height;
        fitScreen();
    }
    const image = context.createImageData(width, height);
    const out = image.data;
    for (let i = 0, j = 0; i < rgb.length; i += 3, j += 4) {
        out[j] = rgb[i]; out[j + 1] = rgb[i + 1]; out[j + 2] = rgb[i + 2]; out[j + 3] = 255;
    }
    context.putImageData(image, 0, 0);
    if (page.frames++ === 0) {
        $('status').textContent = 'Ready: click the screen to type to the trainer.';
        page.firstFrame(performance.now());
    }
}

// --- input -----------------------------------------------------------------

const events = [];
function queue(event) {
    events.push(event);
    if (page.module) page.module.vxrWake();
}
function shiftBits(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); }
function typedCharacter(e) { return e.key.length > 0 && [...e.key].length === 1 ? e.key.codePointAt(0) : 0; }
function point(e) {
    const box = canvas.getBoundingClientRect();
    return [Math.floor((e.clientX - box.left) * canvas.width / box.width),
            Math.floor((e.clientY - box.top) * canvas.height / box.height)];
}

// Every key goes to the trainer while the screen has the focus: F-keys,
// Tab, Esc and the Ctrl shortcuts are the tool's, not the browser's.
canvas.addEventListener('keydown', e => {
    e.preventDefault();
    queue([4, 0, 0, 0, e.keyCode, shiftBits(e), 0, typedCharacter(e)]);
});
canvas.addEventListener('keyup', e => {
    e.preventDefault();
    queue([5, 0, 0, 0, e.keyCode, shiftBits(e), 0, 0]);
});
for (const [name, type] of [['mousemove', 0], ['mousedown', 1], ['mouseup', 2]]) {
    canvas.addEventListener(name, e => {
        if (type === 1) canvas.focus();
        e.preventDefault();
        queue([type, ...point(e), e.button, 0, shiftBits(e), 0, 0]);
    });
}
canvas.addEventListener('wheel', e => {
    e.preventDefault();
    queue([3, ...point(e), 0, 0, shiftBits(e), e.deltaY < 0 ? 1 : -1, 0]);
}, { passive: false });
canvas.addEventListener('contextmenu', e => e.preventDefault());

// --- the data file in the browser's storage ----------------------------------

function syncStorage(module, load) {
    return new Promise((resolve, reject) =>
        module.FS.syncfs(load, error => (error ? reject(error) : resolve())));
}

function fileStamp(FS, path) {
    try { const s = FS.stat(path); return s.mtime.getTime() + ':' + s.size; } catch (e) { return ''; }
}

function exists(FS, path) { return fileStamp(FS, path) !== ''; }

function makeFolders(FS, path) {
    let at = '';
    for (const part of path.split('/').filter(Boolean)) {
        at += '/' + part;
        if (!exists(FS, at)) FS.mkdir(at);
    }
}

async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status);
    return new Uint8Array(await response.arrayBuffer());
}

// The record the page's other tabs work on, else the work this browser
// kept, else the practice task's start record (fetched while the module
// loads); offered to the other tabs. IndexedDB takes it at the first wait.
async function prepareDataFile(module, startBytes) {
    const FS = module.FS;
    makeFolders(FS, DRIVE_C + '/DATAS');
    makeFolders(FS, DRIVE_A);
    if (vxrTabs.has(DATA_FILE)) {
        vxrTabs.pull(FS, DATA_FILE);
    } else {
        if (!exists(FS, DATA_FILE)) FS.writeFile(DATA_FILE, await startBytes);
        vxrTabs.push(FS, DATA_FILE);
    }
}

async function startRecord() {
    const own = localStorage.getItem(OWN_TASK_KEY);
    if (own !== null && chosenTask() === 'own') return buildRecord(own);
    return fetchBytes('tasks/' + chosenTask() + '/VXR.DAT');
}

// Saves reach IndexedDB while the trainer waits for input, and at its end.
function keepSaves(module) {
    let stamps = '';
    return async () => {
        const now = fileStamp(module.FS, DATA_FILE) + '|' + fileStamp(module.FS, A_COPY);
        if (now === stamps) return;
        stamps = now;
        await syncStorage(module, false);
    };
}

// --- the trainer -----------------------------------------------------------

function commandArguments(line) {
    const words = line.trim().split(/\s+/).filter(Boolean);
    if (words.length > 0 && /^vxr(\.exe)?$/i.test(words[0])) words.shift();
    return words;
}

async function startTrainer() {
    const command = sessionStorage.getItem(COMMAND_KEY);
    sessionStorage.removeItem(COMMAND_KEY);
    const startBytes = vxrTabs.has(DATA_FILE) ? null : startRecord();
    startBytes?.catch(() => {});  // only awaited when the browser keeps no work
    const module = await createTrainer({
        noInitialRun: true,
        print: text => console.log(text),
        printErr: text => console.warn(text),
        vxrEvents: events,
        vxrTabs,
        vxrWake: () => {},
        vxrScreen: showFrame,
        vxrCaption: text => { $('caption').textContent = text; },
        vxrIdle: async () => {},
        onExit: status => trainerEnded(module, status),
        preRun: [m => {
            m.FS.mkdir(DATA_DIR);
            m.FS.mount(m.FS.filesystems.IDBFS, {}, DATA_DIR);
            m.ENV.VXR_DRIVE_C = DRIVE_C;
            m.ENV.VXR_DRIVE_A = DRIVE_A;
            m.addRunDependency('vxr-storage');
            m.FS.syncfs(true, () => m.removeRunDependency('vxr-storage'));
        }],
    });
    page.module = module;
    module.vxrIdle = keepSaves(module);
    await prepareDataFile(module, startBytes);
    module.FS.chdir(DRIVE_C);
    canvas.focus();
    const args = command ? commandArguments(command) : [];
    if (command) $('command').value = command;
    module.callMain(args);
}

async function trainerEnded(module, status) {
    page.exitStatus = status;
    await syncStorage(module, false);
    $('ended-text').textContent = 'The trainer has ended (exit status ' + status + ').';
    const link = $('acopy');
    if (exists(module.FS, A_COPY)) {
        link.href = URL.createObjectURL(new Blob([module.FS.readFile(A_COPY)]));
        link.hidden = false;
    }
    $('ended').hidden = false;
}

function restart() { location.reload(); }

// --- the buttons -----------------------------------------------------------

// The record as the tabs of the page share it.
function currentRecord() {
    vxrTabs.pull(page.module.FS, DATA_FILE);
    return page.module.FS.readFile(DATA_FILE);
}

async function storedRecord() {
    if (page.module) return currentRecord();
    return startRecord();
}

async function taskText() {
    if (chosenTask() === 'own') return localStorage.getItem(OWN_TASK_KEY);
    return new TextDecoder().decode(await fetchBytes('tasks/' + chosenTask() + '/task.json'));
}

// Runs the record tool in a fresh module on files given as name -> bytes.
async function runRecordTool(args, files) {
    const lines = [];
    const tool = await createGrader({ noInitialRun: true, print: t => lines.push(t), printErr: t => lines.push(t) });
    for (const [name, bytes] of Object.entries(files)) tool.FS.writeFile('/' + name, bytes);
    let status;
    try { status = tool.callMain(args); } catch (e) { status = e.status ?? 1; }
    return { status, lines, FS: tool.FS };
}

async function buildRecord(taskJson) {
    const run = await runRecordTool(['build', 'task.json', 'VXR.DAT'], { 'task.json': taskJson });
    if (run.status !== 0) throw new Error(run.lines.join('\n'));
    return run.FS.readFile('/VXR.DAT');
}

async function checkWork() {
    const report = $('report');
    report.hidden = false;
    report.textContent = 'Checking…';
    const run = await runRecordTool(['check', 'task.json', 'VXR.DAT'],
        { 'task.json': await taskText(), 'VXR.DAT': await storedRecord() });
    page.lastCheck = run;
    report.textContent = run.lines.join('\n');
}

async function forgetWork() {
    const module = page.module;
    for (const path of [DATA_FILE, A_COPY]) {
        if (exists(module.FS, path)) module.FS.unlink(path);
        vxrTabs.forget(path);
    }
    await syncStorage(module, false);
}

async function startAfresh() {
    if (!confirm('Start the task afresh? The work kept in this browser is lost.')) return;
    await forgetWork();
    restart();
}

function download() {
    const bytes = currentRecord();
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes]));
    link.download = 'VXR.DAT';
    link.click();
}

// A data file replaces the work; a task description becomes the task, its
// start record built from it and its expect list used by Check my work.
async function openFile(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (/\.json$/i.test(file.name)) {
        const text = new TextDecoder().decode(bytes);
        const record = await buildRecord(text);
        localStorage.setItem(OWN_TASK_KEY, text);
        localStorage.setItem(TASK_KEY, 'own');
        await forgetWork();
        page.module.FS.writeFile(DATA_FILE, record);
    } else {
        page.module.FS.writeFile(DATA_FILE, bytes);
    }
    vxrTabs.push(page.module.FS, DATA_FILE);
    await syncStorage(page.module, false);
    restart();
}

async function pickTask(task) {
    if (!confirm('Change to task ' + task + '? The work kept in this browser is lost.')) {
        $('task').value = chosenTask();
        return;
    }
    localStorage.setItem(TASK_KEY, task);
    await forgetWork();
    restart();
}

async function runCommand(line) {
    if (commandArguments(line).length === 0) return;
    sessionStorage.setItem(COMMAND_KEY, line);
    if (page.module) await syncStorage(page.module, false);
    restart();
}

async function fillTaskPicker() {
    const select = $('task');
    const tasks = JSON.parse(new TextDecoder().decode(await fetchBytes('tasks/index.json')));
    if (localStorage.getItem(OWN_TASK_KEY) !== null) tasks.push('own');
    for (const task of tasks) {
        const option = document.createElement('option');
        option.value = task;
        option.textContent = task === 'own' ? 'the task opened' : task;
        select.append(option);
    }
    select.value = chosenTask();
    select.addEventListener('change', () => pickTask(select.value));
}

function failed(error) {
    console.error(error);
    $('status').textContent = 'The page stopped: ' + (error.message || error);
}

$('afresh').addEventListener('click', () => startAfresh().catch(failed));
$('download').addEventListener('click', download);
$('open').addEventListener('change', e => e.target.files[0] && openFile(e.target.files[0]).catch(failed));
$('check').addEventListener('click', () => checkWork().catch(failed));
$('again').addEventListener('click', restart);
$('cmdline').addEventListener('submit', e => { e.preventDefault(); runCommand($('command').value).catch(failed); });

// Offline after the first visit (service workers need localhost or HTTPS).
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});

fitScreen();
// The trainer's module loads while the task picker is filled.
Promise.all([fillTaskPicker(), startTrainer()]).catch(failed);
