'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { launch, openPage, resources, output } = require('./harness');

// name, list id, model field name, price field id, [shown text, inserted text] after the empty entry
const rows = [
  ['CPU', 'Select1', 'txtPlace', 'Text9', [['英特尔(Intel)'], ['AMD']]],
  ['主板', 'Select2', 'txtPlace0', 'Text10', [['华硕'], ['技嘉'], ['微星'], ['昂达']]],
  ['内存', 'Select3', 'txtPlace1', 'Text11', [['金士顿 4G'], ['威刚 4G'], ['三星 4G'], ['现代 4G']]],
  ['硬盘', 'Select4', 'txtPlace2', 'Text12', [['希捷 500G'], ['西数 500G'], ['日立', '日立 500G'], ['三星', '三星 500G']]],
  ['显示器', 'Select5', 'txtPlace3', 'Text13',
    [['AOC 21寸'], ['LG 21寸'], ['飞利浦 21寸'], ['三星 21寸'], ['长城 21寸'], ['HKC 21寸']]],
  ['显示卡', 'Select6', 'txtPlace4', 'Text14', [['影驰'], ['七彩虹'], ['华硕'], ['蓝宝石'], ['昂达'], ['技嘉']]],
  ['光驱', 'Select7', 'txtPlace5', 'Text15',
    [['华硕 DVD'], ['SONY DVD'], ['建兴 DVD'], ['三星 DVD'], ['LG DVD'], ['飞利浦 DVD']]],
  ['风扇', 'Select8', 'txtPlace6', 'Text16', [['超频3'], ['冷酷至尊']]],
  ['电源', 'Select9', 'txtPlace7', 'Text17', [['长城 400W', '长城  400W'], ['航嘉 400W', '航嘉  400W']]],
  ['机箱', 'Select10', 'txtPlace8', 'Text18', [['大机箱'], ['USB3机箱'], ['游戏机箱']]],
  ['鼠标键盘', 'Select11', 'txtPlace9', 'Text19', [['双飞燕'], ['罗技']]],
  ['音箱耳麦', 'Select12', 'txtPlace10', 'Text20', []],
  ['摄像头', 'Select13', 'txtPlace11', 'Text21', []],
  ['其它', 'Select14', 'txtPlace12', 'Text22', []],
];

let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

test('page and script are stored in GBK and the page declares gb2312', () => {
  const page = fs.readFileSync(path.join(resources, '104'));
  const script = fs.readFileSync(path.join(resources, '131'));
  const decoder = new TextDecoder('gbk', { fatal: true });
  const utf8 = new TextDecoder('utf-8', { fatal: true });
  assert.match(decoder.decode(page), /<meta http-equiv="Content-Type" content="text\/html; charset=gb2312" \/>/);
  assert.match(decoder.decode(page), /Qelmora电脑装机报价软件 1\.0/);
  assert.match(decoder.decode(script), /复制成功！现在您可以粘贴【Ctrl\+V】到其它地方了。/);
  // Chinese text in UTF-8 would also decode as GBK by accident; it must not be UTF-8.
  assert.throws(() => utf8.decode(page));
  assert.throws(() => utf8.decode(script));
  assert.match(fs.readFileSync(path.join(resources, '130'), 'latin1'), /jQuery JavaScript Library v1\.9\.1/);
});

test('the page loads its library and script from beside itself and shows its texts decoded', async () => {
  const page = await openPage(env);
  assert.equal(await page.evaluate(() => jQuery.fn.jquery), '1.9.1');
  assert.equal(await page.evaluate(() => document.characterSet), 'GBK');
  assert.deepEqual(await page.evaluate(() => Array.from(document.scripts, (s) => s.src).filter((s) => s)),
                   [`${env.origin}/130`, `${env.origin}/131`]);
  assert.equal(await page.textContent('#ButtonMove'), 'Qelmora电脑装机报价软件 1.0');
  assert.equal(await page.textContent('#ButtonMix'), '-');
  assert.equal(await page.getAttribute('#ButtonMix', 'title'), '最小化');
  assert.equal(await page.textContent('#ButtonClose'), '╳');
  assert.equal(await page.getAttribute('#ButtonClose', 'title'), '关闭');
  assert.equal(await page.getAttribute('#Button4', 'value'), '复制报价表');
  assert.equal(await page.inputValue('#pTol'), '');
  assert.deepEqual(page.errors, []);
  await page.context().close();
});

test('fourteen component rows with their ids, names and suggestions, in page order', async () => {
  const page = await openPage(env);
  const seen = await page.evaluate(() => Array.from(document.querySelectorAll('#pcinfo0 tr'))
    .filter((tr) => tr.querySelector('.pName'))
    .map((tr) => {
      const list = tr.querySelector('select.pTypeSel');
      return {
        name: tr.querySelector('.pName').textContent,
        listId: list.id,
        listName: list.name,
        modelName: tr.querySelector('input.pType').name,
        modelId: tr.querySelector('input.pType').id,
        priceId: tr.querySelector('input.pPrice').id,
        options: Array.from(list.options, (o) => [o.text, o.value]),
      };
    }));
  assert.equal(seen.length, rows.length);
  rows.forEach(([name, listId, modelName, priceId, suggestions], i) => {
    const expectedOptions = [['', '']].concat(suggestions.map(([shown, inserted]) => [shown, inserted || shown]));
    assert.deepEqual(seen[i], {
      name, listId, listName: `D${i + 1}`, modelName, modelId: '', priceId, options: expectedOptions,
    }, `row ${i + 1}`);
  });
  await page.context().close();
});

test('title cells light up red under the mouse and the copy button swaps its style', async () => {
  const page = await openPage(env);
  const look = (sel) => page.$eval(sel, (e) => [getComputedStyle(e).color, getComputedStyle(e).backgroundColor]);
  assert.deepEqual(await look('body'), ['rgb(51, 51, 51)', 'rgb(56, 151, 18)']);
  assert.equal((await look('#ButtonMove'))[0], 'rgb(255, 255, 0)');
  for (const id of ['#ButtonMix', '#ButtonClose']) {
    await page.hover(id);
    assert.deepEqual(await look(id), ['rgb(255, 255, 255)', 'rgb(255, 0, 0)'], id);
    await page.hover('#ButtonMove');
    assert.notEqual((await look(id))[1], 'rgb(255, 0, 0)', id);
  }
  assert.equal(await page.getAttribute('#Button4', 'class'), 'btn1_mouseout');
  await page.hover('#Button4');
  assert.equal(await page.getAttribute('#Button4', 'class'), 'btn1_mouseover');
  await page.hover('#ButtonMove');
  assert.equal(await page.getAttribute('#Button4', 'class'), 'btn1_mouseout');
  await page.context().close();
});

test('each suggestion list shows only its arrow at the right end of its model field', async () => {
  const page = await openPage(env);
  const box = await page.$eval('#Select4', (list) => {
    const field = list.parentNode.querySelector('.pType').getBoundingClientRect();
    const own = list.getBoundingClientRect();
    return { fieldLeft: field.left, fieldWidth: field.width, listLeft: own.left, listWidth: own.width,
             clip: getComputedStyle(list).clip };
  });
  assert.equal(box.fieldWidth, 350);
  assert.equal(box.listWidth, 350);
  assert.equal(box.listLeft, box.fieldLeft);
  assert.equal(box.clip, 'rect(2px, 350px, 18px, 332px)');
  // A click at the field's left part reaches the field, not the list.
  await page.click('input[name="txtPlace2"]', { position: { x: 20, y: 8 } });
  assert.equal(await page.evaluate(() => document.activeElement.name), 'txtPlace2');
  await page.context().close();
});

test('screenshot of the form with the example quotation', async () => {
  const page = await openPage(env);
  await page.selectOption('#Select1', 'AMD');
  await page.type('#Text9', '899');
  await page.type('#Text11', '199');
  await page.press('#Text11', 'Enter');
  await page.hover('#ButtonClose');
  await page.screenshot({ path: path.join(output, 'rigsheet.png') });
  assert.equal(await page.inputValue('#pTol'), '1098元');
  await page.context().close();
});
