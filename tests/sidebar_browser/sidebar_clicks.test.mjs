// The sidebar's click throttling and popup in headless Chromium. The pages
// come from write_sidebar_pages (SIDEBAR_PAGES_DIR): the waiting page as the
// module embeds it, and the ads fragment the sidebar inserts into it.
//
// Time is the page's virtual time: it stands still while the test clicks and
// moves only by the budgets the test grants, so "8000 ms later" is exact and
// nothing waits on the wall clock. The popup is never unloaded (the browser
// is killed at the end), so its 10-second unload spin never runs.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const pagesDir = process.env.SIDEBAR_PAGES_DIR;
assert.ok(pagesDir, 'SIDEBAR_PAGES_DIR names the folder write_sidebar_pages wrote to');
const waitingPageUrl = pathToFileURL(path.join(pagesDir, 'ad.htm')).href;
const fragment = await readFile(path.join(pagesDir, 'sidebar_fragment.html'), 'utf8');
const clickUrl = (ad) => `http://127.0.0.1:1/click?ad=${ad + 1}`;

// The sidebar's real width.
const viewport = { width: 145, height: 600 };

let browser;
let browserSession;

before(async () => {
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: [
      // Chromium's sandbox cannot start as root (CI containers).
      ...(process.getuid?.() === 0 ? ['--no-sandbox'] : []),
      // The pages name the product's hosts; no test may reach them.
      '--host-resolver-rules=MAP * ~NOTFOUND',
    ],
  });
  browserSession = await browser.target().createCDPSession();
});

after(async () => {
  await browser?.close();
});

// One sidebar: the waiting page at the sidebar's width, its clock paused.
class Sidebar {
  static async open() {
    const sidebar = new Sidebar();
    sidebar.page = await browser.newPage();
    await sidebar.page.setViewport(viewport);
    await sidebar.page.goto(waitingPageUrl);
    sidebar.session = await sidebar.page.createCDPSession();
    sidebar.targetId = (await sidebar.session.send('Target.getTargetInfo')).targetInfo.targetId;
    await sidebar.session.send('Emulation.setVirtualTimePolicy', { policy: 'pause' });
    return sidebar;
  }

  async close() {
    // Closing through the protocol skips beforeunload, so the sidebar closes
    // at once; its popup goes with the browser.
    await this.page.close({ runBeforeUnload: false });
  }

  async advance(milliseconds) {
    const expired = new Promise((resolve) =>
      this.session.once('Emulation.virtualTimeBudgetExpired', resolve),
    );
    await this.session.send('Emulation.setVirtualTimePolicy', {
      policy: 'advance',
      budget: milliseconds,
    });
    await expired;
  }

  // What the sidebar window does with the ads it built.
  async insertAds(html) {
    await this.page.evaluate((content) => {
      document.body.innerHTML = '';
      document.body.insertAdjacentHTML('afterbegin', content);
    }, html);
  }

  async globalClick() {
    return this.page.evaluate(() => QxGlobalClick());
  }

  // The popup a click has just written: its window name, title and the URLs
  // it frames; null when the click wrote none. Each popup document is marked
  // once seen, so a reused window counts only when it was written anew.
  async takeWrittenPopup() {
    const { targetInfos } = await browserSession.send('Target.getTargets');
    const popups = targetInfos.filter((t) => t.type === 'page' && t.openerId === this.targetId);
    assert.ok(popups.length <= 1, `the ads share one popup window, found ${popups.length}`);
    if (popups.length === 0) return null;
    this.popup ??= await (
      await browser.waitForTarget((t) => t.opener() === this.page.target())
    ).page();
    return this.popup.evaluate(() => {
      const root = document.documentElement;
      if (root.hasAttribute('data-seen')) return null;
      root.setAttribute('data-seen', '');
      return {
        name: window.name,
        title: document.title,
        framed: [...document.querySelectorAll('iframe')].map((f) => f.getAttribute('src')),
      };
    });
  }
}

// Two ways to reach the script: the waiting page alone, its ads clicked the
// way an ad's onClick calls it, and the page with the built ads inserted.
const variants = [
  {
    name: 'the waiting page',
    async prepare() {},
    async click(sidebar, ad) {
      await sidebar.page.evaluate((url) => {
        if (QxAdClick()) {
          CreateVimaruPopup(url);
        }
      }, clickUrl(ad));
      return sidebar.takeWrittenPopup();
    },
    async newContent(sidebar) {
      await sidebar.page.evaluate(() =>
        document.body.insertAdjacentHTML(
          'beforeend',
          "<input type='hidden' value='newElements' id='hdNewElements'/>",
        ),
      );
    },
  },
  {
    name: 'the ads inserted into the waiting page',
    async prepare(sidebar) {
      await sidebar.insertAds(fragment);
    },
    async click(sidebar, ad) {
      await sidebar.page.$$eval('h3.adheader a', (links, index) => links[index].click(), ad);
      return sidebar.takeWrittenPopup();
    },
    async newContent(sidebar) {
      await sidebar.insertAds(fragment);
    },
  },
];

const opened = (ad) => ({ name: 'win', title: 'Ads Popup', framed: [clickUrl(ad)] });

for (const variant of variants) {
  // Each case has its own sidebar tab, popup and virtual clock, so the cases
  // run side by side.
  describe(`clicks on ${variant.name}`, { concurrency: true }, () => {

    test('the first click opens one window named win that frames the click URL', async () => {
      const sidebar = await Sidebar.open();
      await variant.prepare(sidebar);
      const click = (ad) => variant.click(sidebar, ad);
      assert.deepEqual(await click(1), opened(1));
      await sidebar.close();
    });

    test('a second click opens only 8000 ms after the first; a third never does', async () => {
      const sidebar = await Sidebar.open();
      await variant.prepare(sidebar);
      const click = (ad) => variant.click(sidebar, ad);
      assert.deepEqual(await click(0), opened(0));
      await sidebar.advance(7999);
      assert.equal(await click(1), null);
      await sidebar.advance(1);
      assert.deepEqual(await click(1), opened(1));
      await sidebar.advance(8000);
      assert.equal(await click(2), null);
      await sidebar.advance(60000);
      assert.equal(await click(2), null);
      await sidebar.close();
    });

    test('new content restores two clicks, still 8000 ms apart', async () => {
      const sidebar = await Sidebar.open();
      await variant.prepare(sidebar);
      const click = (ad) => variant.click(sidebar, ad);
      assert.deepEqual(await click(0), opened(0));
      await sidebar.advance(8000);
      assert.deepEqual(await click(1), opened(1));
      await sidebar.advance(8000);
      assert.equal(await click(2), null);

      await variant.newContent(sidebar);
      await sidebar.advance(8000);
      assert.deepEqual(await click(2), opened(2));
      await sidebar.advance(8000);
      assert.deepEqual(await click(0), opened(0));
      await sidebar.advance(8000);
      assert.equal(await click(1), null);
      await sidebar.close();
    });

    test('QxGlobalClick answers true after an opened ad, before any, or 8000 ms on', async () => {
      const sidebar = await Sidebar.open();
      await variant.prepare(sidebar);
      const click = (ad) => variant.click(sidebar, ad);
      assert.equal(await sidebar.globalClick(), true, 'no ad opened yet');
      assert.deepEqual(await click(0), opened(0));
      assert.equal(await sidebar.globalClick(), true, 'an ad was just opened');
      assert.equal(await sidebar.globalClick(), false, 'the first answer cleared the flag');
      await sidebar.advance(7999);
      assert.equal(await sidebar.globalClick(), false);
      await sidebar.advance(1);
      assert.equal(await sidebar.globalClick(), true, '8000 ms since the last ad');

      assert.deepEqual(await click(1), opened(1));
      assert.equal(await click(2), null);
      assert.equal(await sidebar.globalClick(), false, 'a refused click clears the flag');
      await sidebar.close();
    });
  });
}

test('the waiting page shows its loading text until the ads arrive', async () => {
  const sidebar = await Sidebar.open();
  assert.equal(await sidebar.page.title(), 'Vimaru Search - Ads By QX');
  const loading = await sidebar.page.$eval('#loading', (e) => e.textContent);
  assert.equal(loading, 'Please wait while we retrieve some ads for you.');
  await sidebar.insertAds(fragment);
  assert.equal(await sidebar.page.$('#loading'), null);
  assert.equal((await sidebar.page.$$('div.adholder')).length, 3);
  await sidebar.close();
});

test('a screenshot of the sidebar with its ads, at the sidebar width', async () => {
  // Its own page without virtual time, so the page paints as it would.
  const page = await browser.newPage();
  await page.setViewport(viewport);
  await page.goto(waitingPageUrl);
  await page.evaluate((content) => {
    document.body.innerHTML = '';
    document.body.insertAdjacentHTML('afterbegin', content);
  }, fragment);
  const file = path.join(pagesDir, 'sidebar.png');
  const png = await page.screenshot({ path: file });
  // The PNG header's width and height.
  assert.equal(png.readUInt32BE(16), viewport.width);
  assert.equal(png.readUInt32BE(20), viewport.height);
  console.log(`screenshot: ${file}`);
  await page.close();
});
