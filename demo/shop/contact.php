<?php
// Corner Tea Shop: how to reach us.
$sent = isset($_POST['message']) && trim($_POST['message']) !== '';
?>
<!DOCTYPE html>
<html>
<head><meta charset="utf-8"><title>Contact - Corner Tea Shop</title></head>
<body>
<h1>Contact</h1>
<?php if ($sent): ?>
<p>Thank you, we will answer within a day.</p>
<?php else: ?>
<form method="post"><textarea name="message"></textarea><button>Send</button></form>
<?php endif; ?>
</body>
</html>
