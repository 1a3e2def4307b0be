// The web page in headless Chromium (Debian's, driven by playwright-core):
// it loads, shows the main screen as the desktop build does, a candidate
// does practice tasks by keys and by pointer and checks them, a reload keeps
// the work, and the downloaded data file passes the desktop record tool; the
// command-line box runs a batch job, an opened task or data file becomes the
// work, and two tabs meet over the peer link.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFileSync } from 'node:child_process';
import { mkdtempSync, mkdirSync, copyFileSync, writeFileSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const ROOT = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const WEB = path.join(ROOT, 'build/web');
const HOST = path.join(ROOT, 'build', process.env.VXR_WEB_HOST_PRESET || 'debug');
const VXRDAT = path.join(HOST, 'tools/vxrdat/vxrdat');
const PORT = 18640 + (process.pid % 1000);
const URL = `http://127.0.0.1:${PORT}/`;
// Pixels of the main screen allowed to differ from the desktop build's.
const MAX_DIFFERING_PIXELS = 0.01 * 640 * 480;

let server;
let browser;
const scratch = mkdtempSync(path.join(tmpdir(), 'vxr-web-test.'));

before(async () => {
    server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '--directory', WEB, String(PORT)],
                   { stdio: 'ignore' });
    for (let i = 0; i < 100; ++i) {
        try { if ((await fetch(URL)).ok) break; } catch { /* not listening yet */ }
        await new Promise(r => setTimeout(r, 100));
    }
    browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
});

after(async () => {
    await browser?.close();
    server?.kill();
});

async function openPage(context, task) {
    const page = await context.newPage();
    page.on('pageerror', e => console.error('page error:', e.message));
    page.on('dialog', dialog => dialog.accept());
    if (task) await page.addInitScript(t => { if (!localStorage.getItem('vxr.task')) localStorage.setItem('vxr.task', t); }, task);
    const start = Date.now();
    await page.goto(URL);
    await page.evaluate(() => window.vxrPage.ready);
    return { page, firstFrameMs: Date.now() - start };
}

async function canvasRgb(page) {
    return Buffer.from(await page.evaluate(() => {
        const c = document.getElementById('screen');
        const rgba = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        const rgb = [];
        for (let i = 0; i < rgba.length; i += 4) rgb.push(rgba[i], rgba[i + 1], rgba[i + 2]);
        return rgb;
    }));
}

// The desktop build's main screen for the lab record, as raw RGB.
function desktopMainScreen() {
    const dir = path.join(scratch, 'desktop');
    mkdirSync(path.join(dir, 'c/DATAS'), { recursive: true });
    mkdirSync(path.join(dir, 'a'), { recursive: true });
    copyFileSync(path.join(WEB, 'tasks/lab/VXR.DAT'), path.join(dir, 'c/DATAS/VXR.DAT'));
    writeFileSync(path.join(dir, 'shot.vxs'), 'shot main.png\n');
    try {
        execFileSync(path.join(HOST, 'src/app/vxr'), [], {
            cwd: dir, stdio: 'ignore',
            env: { ...process.env, VXR_SCRIPT: path.join(dir, 'shot.vxs'), VXR_DRIVE_C: path.join(dir, 'c'),
                   VXR_DRIVE_A: path.join(dir, 'a') },
        });
    } catch { /* the script ends while the trainer waits: the shot is taken */ }
    return execFileSync('convert', [path.join(dir, 'main.png'), 'rgb:-'], { maxBuffer: 1 << 24 });
}

function differingPixels(a, b) {
    assert.equal(a.length, b.length);
    let count = 0;
    for (let i = 0; i < a.length; i += 3) {
        if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) ++count;
    }
    return count;
}

test('the main screen equals the desktop build\'s, but for a bounded number of pixels', async () => {
    const context = await browser.newContext();
    const { page, firstFrameMs } = await openPage(context, 'lab');
    console.log(`first frame after ${firstFrameMs} ms`);
    const differing = differingPixels(await canvasRgb(page), desktopMainScreen());
    console.log(`main screen: ${differing} of ${640 * 480} pixels differ from the desktop build`);
    assert.ok(differing <= MAX_DIFFERING_PIXELS, `${differing} pixels differ`);
    await context.close();
});

// Steps: ['key', name] presses a key on the screen, ['click', x, y] clicks
// at a point of the 640 x 480 screen, ['wait', ms] lets the trainer work.
async function play(page, steps) {
    const screen = page.locator('#screen');
    for (const [kind, a, b] of steps) {
        if (kind === 'key') await screen.press(a);
        if (kind === 'click') {
            const box = await screen.boundingBox();
            await page.mouse.click(box.x + a * box.width / 640, box.y + b * box.height / 480);
        }
        if (kind === 'wait') await page.waitForTimeout(a);
        await page.waitForTimeout(100);
    }
}

async function checkMyWork(page) {
    await page.click('#check');
    await page.waitForFunction(() => window.vxrPage.lastCheck !== undefined);
    const result = await page.evaluate(() => {
        const check = window.vxrPage.lastCheck;
        window.vxrPage.lastCheck = undefined;
        return { status: check.status, text: document.getElementById('report').textContent };
    });
    return result;
}

const keys = steps => steps.map(k => ['key', k]);

// Local > Check > Image by keys from the main screen; Local > Check > Disk
// by pointer (each item clicked a few pixels inside its highlight).
const CHECK_IMAGE_MENU = keys(['Enter', 'ArrowDown', 'ArrowDown', 'Enter', 'Enter']);
const CHECK_DISK_MENU = [['click', 57, 225], ['click', 151, 279], ['click', 228, 311]];
const PROGRESS = ['wait', 9000];

async function reloaded(page) {
    await page.waitForEvent('load');
    await page.evaluate(() => window.vxrPage.ready);
}

// The data file as the trainer in `page` last read or wrote it, and as the
// tabs share it.
const DATA_FILE = '/vxr/c/DATAS/VXR.DAT';
const trainerRecord = page => page.evaluate(f => [...window.vxrPage.module.FS.readFile(f)], DATA_FILE);
const recordChanged = (page, before) => page.waitForFunction(
    ([f, old]) => window.vxrPage.module.FS.readFile(f).some((b, i) => b !== old[i]), [DATA_FILE, before],
    { timeout: 60000 });
async function downloadedRecord(page, name) {
    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
    const saved = path.join(scratch, name);
    await download.saveAs(saved);
    return saved;
}

test('practice tasks done by keys and by pointer pass Check my work, kept over a reload and in the download',
     async () => {
    const context = await browser.newContext({ acceptDownloads: true });
    // The image check, by keys: the name typed, Save, Yes (the question opens on No), Continue.
    let { page } = await openPage(context, 'practice-image-check');
    let check = await checkMyWork(page);
    assert.notEqual(check.status, 0, 'the start record already passes');
    await play(page, [...CHECK_IMAGE_MENU, ['key', 'Tab'], ...keys([...'E:\\EXAM\\OLDSYS']),
                      ...keys(['Tab', 'Tab', 'Enter', 'ArrowLeft', 'Enter']), PROGRESS, ['key', 'Enter']]);
    check = await checkMyWork(page);
    assert.equal(check.status, 0, check.text);

    // The disk check, by pointer: disk 2's row, OK, Yes, Continue.
    await page.selectOption('#task', 'practice-disk-check');
    await reloaded(page);
    await play(page, [...CHECK_DISK_MENU, ['wait', 300], ['click', 200, 178], ['click', 207, 243],
                      ['wait', 300], ['click', 237, 214], PROGRESS, ['click', 437, 244]]);
    check = await checkMyWork(page);
    assert.equal(check.status, 0, check.text);

    await page.reload();
    await page.evaluate(() => window.vxrPage.ready);
    check = await checkMyWork(page);
    assert.equal(check.status, 0, 'after a reload: ' + check.text);

    const saved = await downloadedRecord(page, 'VXR.DAT');
    execFileSync(VXRDAT, ['check', path.join(ROOT, 'examples/practice-disk-check/task.json'), saved]);
    await context.close();
});

test('the command-line box runs a batch job on the record with its progress screen', async () => {
    const context = await browser.newContext();
    const { page } = await openPage(context, 'practice-batch');
    assert.notEqual((await checkMyWork(page)).status, 0, 'the start record already passes');
    const start = await trainerRecord(page);
    const task = JSON.parse(readFileSync(path.join(ROOT, 'examples/practice-batch/task.json'), 'utf8'));
    const line = task.comment.match(/\(Command: (.*)\)/)[1];
    await page.fill('#command', line);
    await page.press('#command', 'Enter');
    await reloaded(page);
    // The job saves the record when its progress screen is done; the bar is
    // drawn as it grows, one frame after another.
    await recordChanged(page, start);
    const frames = await page.evaluate(() => window.vxrPage.frames);
    assert.ok(frames >= 10, `only ${frames} frames while the job ran`);
    const check = await checkMyWork(page);
    assert.equal(check.status, 0, check.text);
    await context.close();
});

test('an opened task description becomes the task, an opened data file the work', async () => {
    const context = await browser.newContext({ acceptDownloads: true });
    const { page } = await openPage(context, 'lab');
    const steps = [
        // file, what the task picker then shows, what Check my work says
        ['examples/practice-disk-check/task.json', 'own', /disk 2 checked/],
        [path.join(WEB, 'tasks/lab/VXR.DAT'), 'own', /disk 2 checked/],
    ];
    for (const [file, task, report] of steps) {
        await page.setInputFiles('#open', path.resolve(ROOT, file));
        await reloaded(page);
        assert.equal(await page.inputValue('#task'), task);
        const check = await checkMyWork(page);
        assert.notEqual(check.status, 0);
        assert.match(check.text, report);
    }
    // The opened data file is the work as it was opened, also after a reload.
    await page.reload();
    await page.evaluate(() => window.vxrPage.ready);
    const saved = await downloadedRecord(page, 'opened.DAT');
    assert.deepEqual(readFileSync(saved), readFileSync(path.join(WEB, 'tasks/lab/VXR.DAT')));
    await context.close();
});

// Peer to peer > TCP/IP > Slave or Master by keys; the master then images
// local C: to the peer's D:\SHARE\WS01C compressed and returns to its main
// screen, which ends the link.
const SLAVE = keys(['ArrowDown', 'Enter', 'Enter', 'Enter']);
const MASTER_CLONE = [
    ...keys(['ArrowDown', 'Enter', 'Enter', 'ArrowDown', 'Enter']), ...keys([...'192.168.18.2', 'Enter']),
    ...keys(['ArrowDown', 'Enter', 'ArrowDown', 'Enter', 'Tab', 'Enter', 'Enter', 'Tab', 'Enter']),
    ...keys(['Tab', ...'D:\\SHARE\\WS01C', 'Tab', 'Tab', 'Enter', 'Tab', 'Enter', 'ArrowLeft', 'Enter']),
    PROGRESS, ['key', 'Enter'], ['wait', 1000],
];

test('two tabs of one browser meet over the peer link: the master clones to the waiting slave', async () => {
    const context = await browser.newContext();
    const { page: slave } = await openPage(context, 'practice-peer-clone');
    const { page: master } = await openPage(context, 'practice-peer-clone');
    const start = await trainerRecord(slave);
    await play(slave, SLAVE);
    await play(master, MASTER_CLONE);
    // The slave's trainer has read the master's record by itself.
    await recordChanged(slave, start);
    assert.deepEqual(await trainerRecord(slave), await trainerRecord(master));
    for (const page of [slave, master]) {
        await page.reload();
        await page.evaluate(() => window.vxrPage.ready);
        const check = await checkMyWork(page);
        assert.equal(check.status, 0, check.text);
    }
    await context.close();
});

test('after one visit the page starts without a network, with the work kept', async () => {
    const context = await browser.newContext();
    const { page } = await openPage(context, 'practice-disk-check');
    await page.evaluate(() => navigator.serviceWorker.ready);
    await context.setOffline(true);
    await page.reload();
    await page.evaluate(() => window.vxrPage.ready);
    const check = await checkMyWork(page);
    assert.notEqual(check.status, undefined);
    assert.match(check.text, /disk 2 checked/);
    await context.close();
});
