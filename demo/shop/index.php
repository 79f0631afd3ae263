<?php
// Corner Tea Shop: the front page.
require __DIR__ . '/catalogue.php';
?>
<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>Corner Tea Shop</title>
<link rel="stylesheet" href="css/style.css">
<script src="js/cart.js"></script>
</head>
<body>
<h1>Corner Tea Shop</h1>
<ul>
<?php foreach (catalogue() as $tea => $price): ?>
  <li><?= htmlspecialchars($tea) ?>: <?= number_format($price, 2) ?> EUR
    <button onclick="addToCart('<?= htmlspecialchars($tea) ?>')">Add</button></li>
<?php endforeach; ?>
</ul>
<p><a href="contact.php">Contact us</a></p>
</body>
</html>
